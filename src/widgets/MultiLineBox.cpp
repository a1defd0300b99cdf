#include "MultiLineBox.h"

#include <QScrollBar>
#include <QTextCursor>

LengthRuleResult appendUnderLengthRule(qsizetype currentLength, const QString& more, int limit) {
    if (limit < 0 || currentLength + more.size() <= limit)
        return {};
    const qsizetype untilFirstEmpty = limit + 1 - currentLength;
    const qsizetype rest = more.size() - untilFirstEmpty;
    return {true, more.right(rest % (limit + 1))};
}

QString displayFormOf(const QString& text, bool previousWasCr) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            if (!previousWasCr)
                shown.append(QLatin1Char('\n'));
        } else if (c == QLatin1Char('\r')) {
            shown.append(QLatin1Char('\n'));
        } else if (c.unicode() >= 0x20 || c == QLatin1Char('\t')) {
            if (c.unicode() < 0x7F || c.unicode() > 0x9F)
                shown.append(c);
        }
        previousWasCr = c == QLatin1Char('\r');
    }
    return shown;
}

MultiLineBox::MultiLineBox(QWidget* parent) : QPlainTextEdit(parent) {
    syncTimer_.setSingleShot(true);
    syncTimer_.setInterval(0);
    connect(&syncTimer_, &QTimer::timeout, this, &MultiLineBox::syncDisplay);
    connect(this, &QPlainTextEdit::textChanged, this, &MultiLineBox::takeUserEdit);
}

void MultiLineBox::setText(const QString& text) {
    text_ = (emptyBeyond_ >= 0 && text.size() > emptyBeyond_) ? QString() : text;
    lastWasCr_ = text_.endsWith(QLatin1Char('\r'));
    pendingDisplay_ = displayFormOf(text_, false);
    displayReset_ = true;
    scheduleSync();
    Q_EMIT textChangedByAnyone();
}

void MultiLineBox::appendText(const QString& more) {
    if (more.isEmpty())
        return;
    const LengthRuleResult rule = appendUnderLengthRule(text_.size(), more, emptyBeyond_);
    if (rule.emptied) {
        setText(rule.text);
        return;
    }
    text_.append(more);
    pendingDisplay_.append(displayFormOf(more, lastWasCr_));
    lastWasCr_ = more.endsWith(QLatin1Char('\r'));
    scheduleSync();
    Q_EMIT textChangedByAnyone();
}

void MultiLineBox::scheduleSync() {
    if (!syncTimer_.isActive())
        syncTimer_.start();
}

void MultiLineBox::syncDisplay() {
    syncTimer_.stop();
    if (!displayReset_ && pendingDisplay_.isEmpty())
        return;
    syncing_ = true;
    if (displayReset_) {
        setPlainText(pendingDisplay_);
    } else {
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        end.insertText(pendingDisplay_);
    }
    syncing_ = false;
    displayReset_ = false;
    pendingDisplay_.clear();
    if (caretAtEnd_) {
        moveCursor(QTextCursor::End);
        ensureCursorVisible();
    }
}

void MultiLineBox::takeUserEdit() {
    if (syncing_)
        return;
    // The user typed or pasted: the screen holds the truth now.
    syncTimer_.stop();
    pendingDisplay_.clear();
    displayReset_ = false;
    QString typed = toPlainText();
    typed.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (emptyBeyond_ >= 0 && typed.size() > emptyBeyond_) {
        setText(QString());
        return;
    }
    text_ = typed;
    lastWasCr_ = false;
    if (caretAtEnd_)
        moveCursor(QTextCursor::End);
    Q_EMIT textChangedByAnyone();
}
