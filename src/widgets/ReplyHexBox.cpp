#include "ReplyHexBox.h"

#include <QPainter>

QString hexDigitsOf(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

ReplyHexBox::ReplyHexBox(QWidget* parent) : QWidget(parent) {}

void ReplyHexBox::setText(const QString& text) {
    text_ = text.left(kMaxCharacters);
    mayHaveBlanks_ = true;
    update();
}

void ReplyHexBox::appendBytes(const QByteArray& bytes) {
    // Digits never carry blanks: only text set from outside needs the trim.
    if (mayHaveBlanks_) {
        text_ = text_.trimmed();
        mayHaveBlanks_ = false;
    }
    const qsizetype room = kMaxCharacters - text_.size();
    if (room <= 0)
        return;
    text_.append(hexDigitsOf(bytes.left(room / 2)));
    update();
}

void ReplyHexBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect().adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     text_.left(64));
}
