#pragma once

#include <QByteArray>
#include <QString>

// The far end of a pseudo-terminal: the program under test opens device().
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const QString& device() const { return device_; }
    void write(const QByteArray& bytes);
    // Everything that arrives within timeoutMs, up to `atLeast` bytes sooner.
    QByteArray read(int timeoutMs, qsizetype atLeast = -1);
    // Closes the master side, as an unplugged cable would.
    void hangUp();

private:
    int master_ = -1;
    int slaveHold_ = -1;
    QString device_;
};
