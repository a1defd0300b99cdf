#include "TextFilters.h"

FilteredText upperCaseLatin(const QString& text, int cursor) {
    FilteredText result{text, cursor};
    for (QChar& c : result.text)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return result;
}

FilteredText digitsOnly(const QString& text, int cursor) {
    FilteredText result;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            continue;
        result.text.append(c);
        if (i < cursor)
            ++result.cursor;
    }
    return result;
}

QString trimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}
