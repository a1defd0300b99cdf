#include "ReceivePath.h"

#include "MSComm.h"
#include "SerialError.h"

ReceivePath::ReceivePath(MSComm* comm, ReceiveSinks sinks, QObject* parent)
    : QObject(parent), comm_(comm), sinks_(std::move(sinks)) {
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
    sinks_.bytes(bytes);

    const bool textWanted = sinks_.textWanted();
    for (const char byte : bytes) {
        // Decoded while no text is wanted too, so that the first character
        // handed on is decoded from its first byte; ASCII between sequences
        // changes nothing there.
        const bool decoded =
            textWanted || static_cast<uchar>(byte) >= 0x80 || !infoStream_.pending().isEmpty();
        const QString character = decoded ? infoStream_.feed(byte) : QString();
        if (textWanted && !character.isEmpty()) {
            sinks_.settle();
            sinks_.text(character);
        }
        if (line_.feed(byte))
            sinks_.line(line_.currentLine());
    }
    sinks_.settle();
}
