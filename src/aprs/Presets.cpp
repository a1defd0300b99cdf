#include "Presets.h"

#include "FieldRules.h"
#include "GivenFieldsRead.h"
#include "LineEncoding.h"
#include "ReplyParser.h"
#include "RestorePoints.h"
#include "SettingsFileCheck.h"
#include "SettingsTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringView>
#include <algorithm>

namespace {

const QString kCallKey = QStringLiteral("CALLSIGN:");

// What belongs to the owner or the place, not to a way of use.
bool ownersOnly(const SettingRow& field) {
    const auto* text = std::get_if<TextField>(&field.target);
    return acceptedValues(field).isEmpty() || field.write.sent == SentWhen::Fixed ||
           (text && (*text == TextField::Callsign || *text == TextField::Passcode));
}

void takeNote(const QString& line, Preset& preset) {
    const QString key = line.mid(1).section(QLatin1Char('='), 0, 0).trimmed();
    const QString value = line.section(QLatin1Char('='), 1).trimmed();
    const std::pair<const char*, QString*> notes[] = {{"name", &preset.name},
                                                      {"name.zh", &preset.nameChinese},
                                                      {"about", &preset.about},
                                                      {"about.zh", &preset.aboutChinese}};
    for (const auto& [name, text] : notes)
        if (key == QLatin1String(name))
            *text = value;
}

// Why the line cannot stand in a preset; nothing when it can. A call line
// gives the SSID alone: a stand-in callsign lets the parser read it.
std::optional<QString> readPresetLine(QString line, GivenFieldsRead& read) {
    if (line.startsWith(kCallKey)) {
        if (!line.mid(kCallKey.size()).startsWith(QLatin1Char('-')))
            return QStringLiteral("a preset gives the SSID alone, as CALLSIGN:-9");
        line.insert(kCallKey.size(), QStringLiteral("NOCALL"));
    }
    if (const std::optional<SettingsLineProblem> problem = firstLineProblem({line}))
        return problem->reason;
    const qsizetype before = read.given.size();
    applySettingsLine(line, read);
    if (read.given.size() == before)
        return QStringLiteral("\"%1\" is no setting's line").arg(line);
    for (const SettingRow& field : trackerSettings())
        if (read.given.contains(&field) && ownersOnly(field) &&
            field.target != FieldTarget{TextField::Callsign})
            return QStringLiteral("a preset holds no %1").arg(QLatin1String(field.name));
    return std::nullopt;
}

void readFolder(const QString& folder, bool own, PresetList& list) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name)) {
        auto read = readPreset(dir.filePath(name));
        if (auto* preset = std::get_if<Preset>(&read)) {
            preset->own = own;
            list.presets.append(std::move(*preset));
        } else {
            list.problems.append(std::get<SettingsFileError>(read).reason);
        }
    }
}

bool validId(const QString& id) {
    return !id.isEmpty() && std::all_of(id.begin(), id.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
               c == u'-' || c == u'_';
    });
}

} // namespace

QString Preset::title(UiLanguage language) const {
    return language == UiLanguage::Chinese && !nameChinese.isEmpty() ? nameChinese : name;
}

QString Preset::description(UiLanguage language) const {
    return language == UiLanguage::Chinese && !aboutChinese.isEmpty() ? aboutChinese : about;
}

std::variant<Preset, SettingsFileError> readPreset(const QString& file) {
    const QString shown = QDir::toNativeSeparators(file);
    const auto lines = readSettingsFile(file);
    if (const auto* error = std::get_if<SettingsFileError>(&lines))
        return SettingsFileError{shown + QStringLiteral(": ") + error->reason};
    Preset preset;
    preset.id = QFileInfo(file).completeBaseName();
    preset.file = file;
    preset.name = preset.id;
    GivenFieldsRead read;
    const auto& all = std::get<QStringList>(lines);
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QString& line = all.at(i);
        if (line.startsWith(QLatin1Char(';')))
            takeNote(line, preset);
        else if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('[')))
            if (const std::optional<QString> problem = readPresetLine(line, read))
                return SettingsFileError{
                    QStringLiteral("%1:%2: %3").arg(shown, QString::number(i + 1), *problem)};
    }
    if (read.given.isEmpty())
        return SettingsFileError{shown + QStringLiteral(": no setting")};
    for (const SettingRow& field : trackerSettings())
        if (read.given.contains(&field) && !ownersOnly(field))
            preset.changes.append({&field, fieldValue(field, read.record)});
    preset.record = read.record;
    return preset;
}

QString shippedPresetFolder() {
    const QString program = QCoreApplication::applicationDirPath();
#ifdef Q_OS_WIN
    const QString installed = program + QStringLiteral("/share/presets");
#else
    const QString installed = program + QStringLiteral("/../share/kite12/presets");
#endif
    return QFileInfo::exists(installed) ? QDir::cleanPath(installed)
                                        : QStringLiteral(KITE12_SOURCE_PRESETS);
}

QString userPresetFolder() {
    return QFileInfo(restorePointFolder()).path() + QStringLiteral("/presets");
}

PresetList loadPresets() {
    PresetList list;
    readFolder(shippedPresetFolder(), false, list);
    readFolder(userPresetFolder(), true, list);
    return list;
}

const Preset* findPreset(const PresetList& list, const QString& id) {
    const auto found = std::find_if(list.presets.rbegin(), list.presets.rend(),
                                    [&id](const Preset& preset) { return preset.id == id; });
    return found == list.presets.rend() ? nullptr : &*found;
}

std::variant<QString, SettingsFileError> savePreset(const QString& id,
                                                    const FieldChanges& changes) {
    if (!validId(id))
        return SettingsFileError{
            QStringLiteral("\"%1\": a preset's name takes letters, digits, - and _").arg(id)};
    const SettingRow& ssid = setting(TextField::Ssid);
    QByteArray bytes =
        QByteArray(kSettingsFileHeader).insert(9, ";name=" + encodeLineText(id) + "\r\n");
    SettingsRecord record;
    QStringList keys;
    for (const auto& [field, value] : changes) {
        if (ownersOnly(*field) && field != &ssid)
            continue;
        setFieldValue(*field, value, record);
        keys.append(QLatin1String(field == &ssid ? "CALLSIGN" : field->reply.key));
    }
    if (keys.isEmpty())
        return SettingsFileError{QStringLiteral("no setting a preset keeps")};
    for (const QString& line : settingsFileLines(settingsFileBytes(record)))
        if (keys.contains(line.section(QLatin1Char(':'), 0, 0)))
            bytes += encodeLineText(line.startsWith(kCallKey)
                                        ? kCallKey + QLatin1Char('-') + record.text(TextField::Ssid)
                                        : line) +
                     "\r\n";
    const QString folder = userPresetFolder();
    QDir().mkpath(folder);
    const QString file = folder + QLatin1Char('/') + id + QStringLiteral(".ini");
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) < 0 || !out.commit())
        return SettingsFileError{QDir::toNativeSeparators(file) + QStringLiteral(": ") +
                                 out.errorString()};
    return file;
}
