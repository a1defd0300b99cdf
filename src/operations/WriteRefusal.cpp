#include "WriteRefusal.h"

#include "FieldRules.h"
#include "SettingsTable.h"

#include <QStringList>
#include <utility>

namespace {

// The field as the window labels it.
QString shownName(TextField field, UiLanguage language) {
    const SettingRow& shown = setting(field);
    return inLanguage(language, shown.window.chineseName, shown.window.englishName);
}

QString refusal(const SettingsRecord& record, const QList<TextField>& broken, QString heading,
                UiLanguage language) {
    if (broken.isEmpty())
        return {};
    QStringList lines{std::move(heading)};
    for (const TextField field : broken)
        lines.append(inLanguage(language, "%1 \"%2\"：%3", "%1 \"%2\": %3")
                         .arg(shownName(field, language), quotedValue(record.text(field)),
                              acceptedValues(field, record, language)));
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

QString writeRefusal(const SettingsRecord& record, UiLanguage language) {
    return refusal(record, brokenFields(record),
                   inLanguage(language, "未写入，请改正：", "Nothing written. Please correct:"),
                   language);
}

QString gprsSaveRefusal(const SettingsRecord& record, bool withAccessPoint, UiLanguage language) {
    return refusal(record, brokenModemFields(record, withAccessPoint),
                   inLanguage(language, "未发送，请改正：", "Nothing sent. Please correct:"),
                   language);
}
