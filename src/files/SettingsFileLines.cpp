#include "SettingsFileLines.h"

#include "LineEncoding.h"

#include <QFile>

QStringList settingsFileLines(const QByteArray& bytes) {
    static const QByteArray byteOrderMark("\xEF\xBB\xBF");
    const QString text =
        decodeLineBytes(bytes.startsWith(byteOrderMark) ? bytes.mid(byteOrderMark.size()) : bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

std::variant<QStringList, SettingsFileError> readSettingsFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return SettingsFileError{file.errorString()};
    // One byte past the limit tells a file that is too large, even one without
    // a size such as a device or a pipe.
    const QByteArray bytes = file.read(kMaxSettingsFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return SettingsFileError{file.errorString()};
    if (bytes.size() > kMaxSettingsFileBytes)
        return SettingsFileError{
            QStringLiteral("The file is larger than %1 KB").arg(kMaxSettingsFileBytes / 1024)};
    return settingsFileLines(bytes);
}
