#include "ReceivePath.h"

#include "MSComm.h"
#include "MultiLineBox.h"
#include "ReplyHexBox.h"
#include "SerialError.h"

#include <QWidget>
#include <exception>

ReceivePath::ReceivePath(MSComm* comm, ReplyHexBox* hexBox, MultiLineBox* infoBox,
                         QWidget* gprsFrame, Parser parser, QObject* parent)
    : QObject(parent), comm_(comm), hexBox_(hexBox), infoBox_(infoBox), gprsFrame_(gprsFrame),
      parser_(std::move(parser)) {
    connect(comm_, &MSComm::onComm, this, &ReceivePath::handleComm);
}

void ReceivePath::handleComm() {
    if (comm_->commEvent() != MSComm::comEvReceive || comm_->inBufferCount() == 0)
        return;
    QByteArray bytes;
    try {
        bytes = comm_->input();
    } catch (const SerialError&) {
        return;
    }
    hexBox_->appendBytes(bytes);

    const bool frameShown = !gprsFrame_->isHidden();
    for (const char byte : bytes) {
        // Fed while the frame is hidden too, so that the first character it
        // shows is decoded from its first byte.
        const QString character = infoStream_.feed(byte);
        if (frameShown && !character.isEmpty())
            infoBox_->appendText(character);
        if (!line_.feed(byte))
            continue;
        try {
            parser_(line_.currentLine());
        } catch (const std::exception&) {
            // A failing step of the parse is skipped; the next byte goes on.
        }
    }
}
