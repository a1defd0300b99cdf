#pragma once

#include "PortNames.h"
#include "SerialLine.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

// The serial control: a port number 1 to 16, a settings string such as
// "115200,n,8,1", and a receive event raised for every arrival of data.
// Every failure is thrown as SerialError.
class MSComm : public QObject {
    Q_OBJECT
public:
    static constexpr int comEvReceive = 2;

    explicit MSComm(PortDirectory ports, QObject* parent = nullptr);

    // While it holds, the port no longer opens: the window sets it for its closing.
    void setAbortCheck(std::function<bool()> abort) { abort_ = std::move(abort); }

    void setCommPort(int number);
    int commPort() const { return commPort_; }
    // The device that a port number stands for now ("" when none).
    QString devicePath(int number) const { return ports_.devicePath(number); }
    // Every number's device now, COM1 first, from one look at the system.
    QStringList devicePaths() const { return ports_.devicePaths(); }

    void setSettings(const QString& settings);
    const QString& settings() const { return settings_; }

    void setInBufferSize(int bytes);
    // The receive event fires once this many bytes wait; 0 turns it off.
    void setRThreshold(int bytes);
    // How many bytes one input() returns at most; 0 = all that wait.
    void setInputLen(int bytes) { inputLen_ = bytes; }

    void open() { open(ports_.devicePath(commPort_)); }
    // Opens the port number's device as the caller has just looked it up.
    void open(const QString& device);
    void close() { line_.close(); }
    bool isOpen() const { return line_.isOpen(); }

    int inBufferCount() const { return static_cast<int>(line_.bytesAvailable()); }
    QByteArray input() { return line_.read(inputLen_ > 0 ? inputLen_ : -1); }
    // Returns once every byte has been handed to the operating system.
    void output(const QString& text);
    void output(const QByteArray& bytes);

    int commEvent() const { return commEvent_; }

Q_SIGNALS:
    void onComm();
    void opened();
    // Closed by the program, or by a failure of the port.
    void closed();

private:
    void handleReadable();

    PortDirectory ports_;
    SerialLine line_;
    std::function<bool()> abort_;
    int commPort_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    int rThreshold_ = 0;
    int inputLen_ = 0;
    int commEvent_ = 0;
};
