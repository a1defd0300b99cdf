#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Ports are numbered COM1 to COM16: a mapping in the "Ports" section of
// TrkComm.ini first, then the serial devices in a fixed order.

inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 16;

// "COM12" -> 12 for the names the port list holds (COM1 to COM16).
std::optional<int> portNumberOfName(const QString& name);

// The decimal number from the fourth character on ("COM3" -> 3), as start-up
// reads the recalled port name; no number when that text is not all digits.
std::optional<int> numberAfterPrefix(const QString& text);

QString portNameOf(int number);

// Serial devices in the order that numbers them when TrkComm.ini maps nothing:
// ttyUSB*, then ttyACM*, then ttyS*, each in numeric order.
QStringList orderSerialDevices(const QStringList& deviceFileNames, const QString& devFolder);

// Resolves a port number to the device it stands for.
class PortDirectory {
public:
    explicit PortDirectory(QString portSettingsFile, QString devFolder = QStringLiteral("/dev"));

    // "" when nothing stands for that number.
    QString devicePath(int number) const { return devicePaths().value(number - kFirstPortNumber); }
    // The device of every number, COM1 first ("" for none), from one read of the
    // file and one look at the devices.
    QStringList devicePaths() const;
    // The TrkComm.ini whose Ports section maps the numbers.
    const QString& portSettingsFile() const { return portSettingsFile_; }

private:
    QString portSettingsFile_;
    QString devFolder_;
};
