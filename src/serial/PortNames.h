#pragma once

#include <QString>
#include <QStringList>
#include <optional>

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
    QString devicePath(int number) const;
    const QString& portSettingsFile() const { return portSettingsFile_; }

private:
    QString portSettingsFile_;
    QString devFolder_;
};

// The port list's tooltip for one item: the device (and the device a link
// stands for), and for a USB adapter its maker, product and serial number.
QString portToolTip(const QString& device);

// What the system tells about a serial device that exists but would not open.
struct PortOpenProbe {
    QString device;
    int openErrno = 0; // of a plain open(2) of the device; 0 when that opened
    QString lockFile;  // a lock file naming the device; "" when none
};

// The folders where serial lock files are usually kept.
QStringList usualLockFolders();

// Looks at the device without keeping it open: write access first, so a device
// the user may not open is never touched.
PortOpenProbe probePortOpen(const QString& device,
                            const QStringList& lockFolders = usualLockFolders());

// The port list's help for the devices that exist but would not open: why,
// and what to do; "" when there is nothing the user can do.
QString portOpenHelp(const QList<PortOpenProbe>& probes);
