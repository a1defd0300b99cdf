#include "PrivateProfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

QStringList readLines(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The section name of a "[name]" line, or a null string for any other line.
QString sectionOf(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return {};
    return trimmed.mid(1, close - 1).trimmed();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct KeyLine {
    QString key;
    QString value;
};

bool splitKeyLine(const QString& line, KeyLine& out) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return false;
    out.key = line.left(equals).trimmed();
    out.value = line.mid(equals + 1).trimmed();
    return true;
}

QString unquoted(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

QList<std::pair<QString, QString>> readProfileSection(const QString& fileName,
                                                      const QString& section) {
    QList<std::pair<QString, QString>> entries;
    bool inSection = false;
    for (const QString& line : readLines(fileName)) {
        const QString name = sectionOf(line);
        if (!name.isNull()) {
            inSection = sameName(name, section);
            continue;
        }
        KeyLine entry;
        if (inSection && splitKeyLine(line, entry))
            entries.append({entry.key, unquoted(entry.value)});
    }
    return entries;
}

QString readProfileString(const QString& fileName, const QString& section, const QString& key) {
    for (const auto& [name, value] : readProfileSection(fileName, section))
        if (sameName(name, key))
            return value;
    return {QLatin1String("")};
}

bool writeProfileString(const QString& fileName, const QString& section, const QString& key,
                        const QString& value) {
    QStringList lines = readLines(fileName);
    const QString newLine = key + QLatin1Char('=') + value;

    qsizetype sectionStart = -1;
    qsizetype lastEntryOfSection = -1;
    bool replaced = false;
    for (qsizetype i = 0; i < lines.size() && !replaced; ++i) {
        const QString name = sectionOf(lines[i]);
        if (!name.isNull()) {
            if (sectionStart >= 0)
                break; // the next section begins: ours has no such key
            if (sameName(name, section)) {
                sectionStart = i;
                lastEntryOfSection = i;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (!lines[i].trimmed().isEmpty())
            lastEntryOfSection = i;
        KeyLine entry;
        if (splitKeyLine(lines[i], entry) && sameName(entry.key, key)) {
            lines[i] = newLine;
            replaced = true;
        }
    }
    if (!replaced) {
        if (sectionStart < 0) {
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(newLine);
        } else {
            lines.insert(lastEntryOfSection + 1, newLine);
        }
    }

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    file.write(bytes);
    return file.commit();
}
