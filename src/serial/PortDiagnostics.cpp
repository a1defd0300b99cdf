#include "PortDiagnostics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// The lock file, with the process it names where it names one: its number as
// text on the first line or as 4 bytes, and its name where /proc has it.
QString lockNamed(const QString& lockFile) {
    QFile file(lockFile);
    if (!file.open(QIODevice::ReadOnly))
        return lockFile;
    const QByteArray bytes = file.read(64);
    bool number = false;
    // Qt's own lock files give the program and the host on the lines after.
    qint32 pid = bytes.split('\n').constFirst().trimmed().toInt(&number);
    if (!number && bytes.size() == 4)
        std::memcpy(&pid, bytes.constData(), 4);
    if (pid <= 0)
        return lockFile;
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    const QString name = comm.open(QIODevice::ReadOnly)
                             ? QString::fromLocal8Bit(comm.readAll().trimmed())
                             : QString();
    return name.isEmpty() ? QStringLiteral("%1 (process %2)").arg(lockFile).arg(pid)
                          : QStringLiteral("%1 (process %2, %3)").arg(lockFile).arg(pid).arg(name);
}

} // namespace

QStringList usualLockFolders() {
    return {QStringLiteral("/var/lock"),       QStringLiteral("/run/lock"),
            QStringLiteral("/etc/locks"),      QStringLiteral("/var/spool/locks"),
            QStringLiteral("/var/spool/uucp"), QDir::tempPath()};
}

PortOpenProbe probePortOpen(const QString& device, const QStringList& lockFolders) {
    PortOpenProbe probe{device, 0, {}};
#ifndef Q_OS_WIN
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), R_OK | W_OK) != 0) {
        probe.openErrno = errno;
    } else {
        // Non-blocking, so a modem line without carrier cannot hang start-up.
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            probe.openErrno = errno;
        else
            ::close(fd);
    }
    // Locks name the device a link points at.
    QString name = QFileInfo(device).canonicalFilePath();
    if (name.isEmpty())
        name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString& folder : lockFolders) {
        const QString lock = folder + QStringLiteral("/LCK..") + name;
        if (QFileInfo::exists(lock)) {
            probe.lockFile = lock;
            break;
        }
    }
#else
    Q_UNUSED(lockFolders);
    // Windows keeps no lock files: a port another program holds denies access.
    const std::wstring path = (QStringLiteral("\\\\.\\") + device).toStdWString();
    const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle);
    else if (const DWORD error = ::GetLastError(); error == ERROR_ACCESS_DENIED)
        probe.openErrno = EBUSY;
    else
        probe.openErrno = error == ERROR_FILE_NOT_FOUND ? ENOENT : EIO;
#endif
    return probe;
}

QString portOpenHelp(const QList<PortOpenProbe>& probes, PortHelpFor reader, UiLanguage language) {
    const auto say = [language](const char* chinese, const char* english) {
        return inLanguage(language, chinese, english);
    };
    const QString retry = reader == PortHelpFor::PortList
                              ? say("然后重新打开此列表。", "then open this list again.")
                              : say("然后重试。", "then try again.");
    QStringList denied;
    QStringList busy;
    QStringList lines;
    for (const PortOpenProbe& probe : probes) {
        // The lock file of a missing device is another program's try at the same name.
        if (probe.openErrno == ENOENT)
            continue;
        if (probe.openErrno == EACCES || probe.openErrno == EPERM)
            denied.append(probe.device);
        else if (probe.openErrno == EBUSY)
            busy.append(probe.device);
        else if (!probe.lockFile.isEmpty())
            lines.append(say("%1：被 %2 锁定。另一个程序占用它，或已结束的程序留下了锁文件："
                             "请结束该程序或删除该文件，%3",
                             "%1: locked by %2. Another program holds it, or the lock file was "
                             "left behind by one that ended: end that program or delete the "
                             "file, %3")
                             .arg(probe.device, lockNamed(probe.lockFile), retry));
    }
#ifdef Q_OS_WIN
    const QString busyHelp =
        say("%1：忙。另一个程序（如终端或其他配置程序）占用它：请关闭该程序，%2",
            "%1: busy. Another program holds it, such as a terminal or "
            "another configuration program: close that program, %2");
#else
    const QString busyHelp = say("%1：忙。另一个程序（如 ModemManager 或 brltty）占用它："
                                 "请停止或删除该程序，%2",
                                 "%1: busy. Another program holds it, such as ModemManager or "
                                 "brltty: stop or remove that program, %2");
#endif
    if (!busy.isEmpty())
        lines.prepend(busyHelp.arg(busy.join(QStringLiteral(", ")), retry));
    if (!denied.isEmpty())
        lines.prepend(say("%1：没有权限。您不在 dialout 组中：运行 "
                          "\"sudo usermod -aG dialout $USER\"，然后注销并重新登录。",
                          "%1: permission denied. You are not in the dialout group: run "
                          "\"sudo usermod -aG dialout $USER\", then log out and in again.")
                          .arg(denied.join(QStringLiteral(", "))));
    return lines.join(QLatin1Char('\n'));
}
