#include "CliOutput.h"

#include "Console.h"
#include "FieldRules.h"
#include "FieldValues.h"
#include "GlobalOptions.h"
#include "MapPosition.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>

void print(const QString& text) {
    // A byte that is not UTF-8 (a lone U+DC80 + byte - 0x80) shows as \xHH, so
    // that the output stays UTF-8.
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit >= 0xDC80 && unit <= 0xDCFF && (i == 0 || !text.at(i - 1).isHighSurrogate()))
            shown += QStringLiteral("\\x") + QString::number(unit - 0xDC00, 16).toUpper();
        else
            shown += text.at(i);
    }
    writeText(stdout, shown.toUtf8());
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

QJsonObject& jsonReport() {
    static QJsonObject document;
    return document;
}

void report(const QString& key, const QJsonValue& value) {
    jsonReport().insert(key, value);
}

void printJson(const QJsonValue& json) {
    const QJsonValue value = jsonUnicode(json);
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    print(QString::fromUtf8(document.toJson(QJsonDocument::Indented)));
}

QJsonValue fieldJson(const SettingRow& field, const QString& value) {
    if (std::holds_alternative<CheckField>(field.target))
        return value == QLatin1String("1");
    const auto* text = std::get_if<TextField>(&field.target);
    // A text may be empty; a number or a choice that is empty was not given.
    if (!text || value.isEmpty())
        return value.isEmpty() && (!text || fieldRule(*text).kind == FieldRule::Kind::Number)
                   ? QJsonValue(QJsonValue::Undefined)
                   : QJsonValue(value);
    const FieldRule& rule = fieldRule(*text);
    const auto isNumber = [](const QString& item) {
        bool number = false;
        item.toInt(&number);
        return number;
    };
    const bool numeric = rule.kind == FieldRule::Kind::Number ||
                         (rule.kind == FieldRule::Kind::List && !rule.items.isEmpty() &&
                          std::all_of(rule.items.begin(), rule.items.end(), isNumber));
    return numeric && isNumber(value) ? QJsonValue(value.toInt()) : QJsonValue(value);
}

QJsonObject recordJson(const SettingsRecord& record) {
    QJsonObject object;
    for (const SettingRow& field : trackerSettings()) {
        const QJsonValue value = fieldJson(field, fieldValue(field, record));
        if (!value.isUndefined() &&
            !(field.reply.key && record.unreported.contains(QLatin1String(field.reply.key))))
            object.insert(QLatin1String(field.name), value);
    }
    const auto position = decimalPosition(record);
    object.insert(QStringLiteral("position"), position
                                                  ? QJsonArray{roundedDegrees(position->first),
                                                               roundedDegrees(position->second)}
                                                  : QJsonValue());
    return object;
}

void printRecord(const GlobalOptions& options, const SettingsRecord& record) {
    if (options.json) {
        report(QStringLiteral("settings"), recordJson(record));
        return;
    }
    for (const SettingRow& field : trackerSettings()) {
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
                        {wantedKey, fieldJson(*difference.field, difference.written)},
                        {foundKey, fieldJson(*difference.field, difference.read)}});
    return differences;
}

void printDifferences(const SettingsRecord& wanted, const SettingsRecord& found,
                      const QString& wantedKey, const QString& foundKey) {
    for (const FieldDifference& difference : writtenFieldsThatDiffer(wanted, found))
        print(QStringLiteral("%1\t%2 \"%3\"\t%4 \"%5\"\n")
                  .arg(QLatin1String(difference.field->name), wantedKey, difference.written,
                       foundKey, difference.read));
}
