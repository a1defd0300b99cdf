#include "FileKeys.h"

#include "SettingsTable.h"

#include <QHash>
#include <algorithm>
#include <numeric>
#include <vector>

namespace {

QStringList settingKeys() {
    QStringList keys;
    for (const SettingRow& setting : trackerSettings())
        if (setting.reply.key && !keys.contains(QLatin1String(setting.reply.key)))
            keys.append(QLatin1String(setting.reply.key));
    return keys;
}

// Letters to change, add or drop to make one word the other, case aside.
qsizetype editDistance(const QString& a, const QString& b) {
    std::vector<qsizetype> row(static_cast<std::size_t>(b.size()) + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype above = row[static_cast<std::size_t>(j)];
            const bool same = a.at(i - 1).toUpper() == b.at(j - 1).toUpper();
            row[static_cast<std::size_t>(j)] = std::min(
                {above + 1, row[static_cast<std::size_t>(j - 1)] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

// The key nearest to `word`, when it is near enough to be meant; "" otherwise.
QString nearestKey(const QString& word) {
    QString nearest;
    qsizetype best = qMax<qsizetype>(1, word.size() / 3) + 1;
    for (const QString& key : settingKeys())
        if (const qsizetype distance = editDistance(word, key); distance < best) {
            best = distance;
            nearest = key;
        }
    return nearest;
}

QString guess(const QString& nearest) {
    return nearest.isEmpty()
               ? QStringLiteral("; the settings are ") + settingKeys().join(QStringLiteral(", "))
               : QStringLiteral("; did you mean %1?").arg(nearest);
}

// A line without a colon, perhaps a key with "=" or a blank after it.
QString colonProblem(const QString& line) {
    const qsizetype end = std::find_if(line.begin(), line.end(),
                                       [](QChar c) { return !c.isLetterOrNumber() && c != u'-'; }) -
                          line.begin();
    const QString nearest = end > 0 ? nearestKey(line.left(end)) : QString();
    if (nearest.isEmpty())
        return QStringLiteral("\"%1\" has no colon: a setting's line is KEY:VALUE%2")
            .arg(line, guess(nearest));
    return QStringLiteral("\"%1\" has no colon; did you mean %2:%3?")
        .arg(line, nearest, line.mid(end + 1));
}

bool passes(const QString& line) {
    const QString trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) ||
           (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')));
}

} // namespace

std::optional<SettingsLineProblem> firstKeyProblem(const QStringList& lines) {
    const QStringList keys = settingKeys();
    QHash<QString, qsizetype> seen;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        const qsizetype number = i + 1;
        if (passes(line))
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            return SettingsLineProblem{number, colonProblem(line)};
        const QString key = line.left(colon);
        if (!keys.contains(key))
            return SettingsLineProblem{
                number, QStringLiteral("%1: no such setting%2").arg(key, guess(nearestKey(key)))};
        if (seen.contains(key))
            return SettingsLineProblem{
                number, QStringLiteral("%1 given again (first on line %2); a file gives each "
                                       "setting once")
                            .arg(key)
                            .arg(seen.value(key))};
        seen.insert(key, number);
    }
    return std::nullopt;
}
