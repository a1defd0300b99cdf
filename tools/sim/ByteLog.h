#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

// Received bytes as "<ms> <HEX>" lines and events as "# ..." lines, flushed
// line by line so that a test can read the file while the tracker runs.
class ByteLog {
public:
    ByteLog();
    bool open(const QString& path);
    void bytes(const QByteArray& received);
    void event(const QString& text);

private:
    void line(const QByteArray& text);

    QFile file_;
    QElapsedTimer clock_;
};
