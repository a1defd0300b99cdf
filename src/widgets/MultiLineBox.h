#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QTimer>

// A multi-line text box whose text keeps CR LF line ends (and every received
// byte) exactly, while the screen shows them as line breaks. Appending costs the
// appended text only, however much the box already holds; the screen catches up
// once per pass of the event loop.
class MultiLineBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MultiLineBox(QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    void appendText(const QString& more);

    // After every change: text longer than this many characters is emptied.
    void setEmptiedWhenLongerThan(int characters) { emptyBeyond_ = characters; }
    // After every change: the caret goes after the last character.
    void setCaretKeptAtEnd(bool keep) { caretAtEnd_ = keep; }

    // Brings the screen up to date now rather than on the next pass.
    void syncDisplay();

Q_SIGNALS:
    // After every change of text(), by the program or by the user.
    void textChangedByAnyone();

private:
    void takeUserEdit();
    void scheduleSync();

    QString text_;
    QString pendingDisplay_; // appended since the last sync, already in display form
    bool displayReset_ = false;
    bool lastWasCr_ = false;
    bool syncing_ = false;
    int emptyBeyond_ = -1;
    bool caretAtEnd_ = false;
    QTimer syncTimer_;
};

// Appending `more` to `currentLength` characters one character at a time, with
// the text emptied whenever its length passes `limit` (no limit when negative).
struct LengthRuleResult {
    bool emptied = false;
    QString text; // when emptied: the whole new text
};
LengthRuleResult appendUnderLengthRule(qsizetype currentLength, const QString& more, int limit);

// Screen form of received or stored text: CR LF, lone CR and lone LF each become
// one line break; other control characters are not shown.
QString displayFormOf(const QString& text, bool previousWasCr);
