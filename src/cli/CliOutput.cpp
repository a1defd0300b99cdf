#include "CliOutput.h"

#include "Console.h"
#include "GlobalOptions.h"
#include "MapPosition.h"
#include "SettingValues.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <cstdio>

void print(const QString& text) {
    writeText(stdout, text.toUtf8());
}

QString shellWord(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:+=-]+$"));
    if (plain.match(text).hasMatch())
        return text;
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("'\\''")) +
           QLatin1Char('\'');
}

namespace {

// JSON is Unicode, where the lone surrogate that holds a byte that is not UTF-8
// (U+DC80 + byte - 0x80) has no place: it stands as U+EF80 + byte - 0x80 there.
QJsonValue jsonUnicode(const QJsonValue& value) {
    if (value.isString()) {
        QString text = value.toString();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t unit = text.at(i).unicode();
            if (unit >= 0xDC80 && unit <= 0xDCFF && (i == 0 || !text.at(i - 1).isHighSurrogate()))
                text[i] = QChar(char16_t(unit - 0xDC80 + 0xEF80));
        }
        return text;
    }
    if (value.isArray()) {
        QJsonArray array;
        for (const auto& item : value.toArray())
            array.append(jsonUnicode(item));
        return array;
    }
    if (!value.isObject())
        return value;
    QJsonObject object = value.toObject();
    for (QJsonValueRef item : object)
        item = jsonUnicode(item);
    return object;
}

// As the text shows it, to the millionth of a degree.
double roundedDegrees(double degrees) {
    return QString::number(degrees, 'f', kDecimalPositionPlaces).toDouble();
}

} // namespace

void printJson(const QJsonValue& json) {
    const QJsonValue value = jsonUnicode(json);
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    print(QString::fromUtf8(document.toJson(QJsonDocument::Indented)));
}

QJsonObject recordJson(const SettingsRecord& record) {
    QJsonObject object;
    for (const Setting& field : trackerSettings())
        object.insert(QLatin1String(field.name), fieldValue(field, record));
    const auto position = decimalPosition(record);
    object.insert(QStringLiteral("position"), position
                                                  ? QJsonArray{roundedDegrees(position->first),
                                                               roundedDegrees(position->second)}
                                                  : QJsonValue());
    return object;
}

void printRecord(const GlobalOptions& options, const SettingsRecord& record) {
    if (options.json) {
        printJson(recordJson(record));
        return;
    }
    for (const Setting& field : trackerSettings()) {
        print(QStringLiteral("%1 %2\n")
                  .arg(QString::fromLatin1(field.name), -15)
                  .arg(fieldValue(field, record)));
        // The position as maps take it, beside its parts.
        if (field.target == FieldTarget{TextField::LonHemisphere})
            print(QStringLiteral("%1 %2\n")
                      .arg(QStringLiteral("position"), -15)
                      .arg(decimalPositionText(record)));
    }
}

QJsonArray fieldDifferences(const SettingsRecord& wanted, const SettingsRecord& found,
                            const QString& wantedKey, const QString& foundKey) {
    QJsonArray differences;
    for (const FieldDifference& difference : writtenFieldsThatDiffer(wanted, found))
        differences.append(
            QJsonObject{{QStringLiteral("field"), QLatin1String(difference.field->name)},
                        {wantedKey, difference.written},
                        {foundKey, difference.read}});
    return differences;
}

void printDifferences(const QJsonArray& differences, const QString& wantedKey,
                      const QString& foundKey) {
    for (const auto& value : differences) {
        const QJsonObject difference = value.toObject();
        print(QStringLiteral("%1\t%2 \"%3\"\t%4 \"%5\"\n")
                  .arg(difference.value(QStringLiteral("field")).toString(), wantedKey,
                       difference.value(wantedKey).toString(), foundKey,
                       difference.value(foundKey).toString()));
    }
}
