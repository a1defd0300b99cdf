#pragma once

#include "LineAssembler.h"
#include "LineEncoding.h"

#include <QObject>
#include <QString>
#include <functional>

class MSComm;
class MultiLineBox;
class ReplyHexBox;
class QWidget;

// The only reader of the serial input: mirrors every byte as hex, copies the
// decoded text into the GPRS info box while the GPRS frame is shown, and hands
// currentLine to the settings line parser after every byte.
class ReceivePath : public QObject {
    Q_OBJECT
public:
    using Parser = std::function<void(const QString& currentLine)>;

    ReceivePath(MSComm* comm, ReplyHexBox* hexBox, MultiLineBox* infoBox, QWidget* gprsFrame,
                Parser parser, QObject* parent = nullptr);

    const QString& currentLine() const { return line_.currentLine(); }
    void clearCurrentLine() { line_.clear(); }

    // The receive event of the serial control.
    void handleComm();

private:
    MSComm* comm_;
    ReplyHexBox* hexBox_;
    MultiLineBox* infoBox_;
    QWidget* gprsFrame_;
    Parser parser_;
    LineAssembler line_;
    Utf8Stream infoStream_;
};
