#include "ByteLog.h"

ByteLog::ByteLog() {
    clock_.start();
}

bool ByteLog::open(const QString& path) {
    file_.setFileName(path);
    return file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
}

void ByteLog::bytes(const QByteArray& received) {
    line(QByteArray::number(clock_.elapsed()) + ' ' + received.toHex().toUpper());
}

void ByteLog::event(const QString& text) {
    line(text.toUtf8());
}

void ByteLog::line(const QByteArray& text) {
    if (file_.isOpen())
        file_.write(text + '\n');
}
