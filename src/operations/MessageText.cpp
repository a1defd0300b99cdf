#include "MessageText.h"

#include <QMessageBox>
#include <QRegularExpression>

void setMessageText(QMessageBox& box, const QString& text) {
    // Chinese text breaks between any two characters, so only other runs count.
    static const QRegularExpression run(
        QStringLiteral("[^\\s\\p{Han}\\x{3000}-\\x{303F}\\x{FF00}-\\x{FFEF}]{%1,}")
            .arg(kLongestRun + 1));
    constexpr qsizetype kHead = kLongestRun * 2 / 3;
    constexpr qsizetype kTail = kLongestRun - kHead - 1;
    QString shown = text;
    // From the end, so the places of the runs before stay as they were found.
    QList<QRegularExpressionMatch> runs;
    for (const QRegularExpressionMatch& match : run.globalMatch(text))
        runs.prepend(match);
    for (const QRegularExpressionMatch& match : runs)
        shown.replace(match.capturedStart(), match.capturedLength(),
                      match.captured().left(kHead) + QChar(0x2026) + match.captured().right(kTail));
    box.setText(shown);
    box.setDetailedText(runs.isEmpty() ? QString() : text);
}
