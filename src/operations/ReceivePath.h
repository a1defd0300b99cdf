#pragma once

#include "LineAssembler.h"
#include "LineEncoding.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class MSComm;

// Where received data goes. Called in the order the bytes came, so that a
// line's effects and the text around it stay in that order.
struct ReceiveSinks {
    // Every arrival's bytes as they came.
    std::function<void(const QByteArray&)> bytes;
    // Asked once per arrival: whether its decoded text is wanted.
    std::function<bool()> textWanted;
    // The decoded text, a character at a time.
    std::function<void(const QString&)> text;
    // currentLine after every byte.
    std::function<void(const QString&)> line;
    // After an arrival's last byte, and before any text is handed on: what the
    // line calls held back is to be done now.
    std::function<void()> settle;
};

// The only reader of the serial input: hands every arrival to the sinks and
// builds currentLine from it.
class ReceivePath : public QObject {
    Q_OBJECT
public:
    ReceivePath(MSComm* comm, ReceiveSinks sinks, QObject* parent = nullptr);

    const QString& currentLine() const { return line_.currentLine(); }
    void clearCurrentLine() { line_.clear(); }

    // The receive event of the serial control.
    void handleComm();

private:
    MSComm* comm_;
    ReceiveSinks sinks_;
    LineAssembler line_;
    Utf8Stream infoStream_;
};
