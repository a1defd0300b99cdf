#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

// The out-of-sight box that mirrors every received byte as two hex digits. Only
// its first characters are ever read, so it stops growing at a fixed size
// instead of holding a whole session's traffic.
class ReplyHexBox : public QWidget {
    Q_OBJECT
public:
    static constexpr qsizetype kMaxCharacters = 65536;

    explicit ReplyHexBox(QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    // Trims blanks from both ends of the text, then appends the bytes' digits.
    void appendBytes(const QByteArray& bytes);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    bool mayHaveBlanks_ = false;
};

// "0AC5" for the bytes 10 and 197.
QString hexDigitsOf(const QByteArray& bytes);
