#include "CliArguments.h"
#include "CliFailure.h"
#include "CliOutput.h"
#include "Commands.h"
#include "Console.h"
#include "FileForWrite.h"
#include "GlobalOptions.h"
#include "Presets.h"
#include "TrackerWrite.h"

#include <QCommandLineParser>
#include <QDir>
#include <QHash>

namespace {

// The presets; each file that could not be read is named on standard error.
PresetList presets() {
    PresetList list = loadPresets();
    for (const QString& problem : list.problems)
        writeText(stderr, QStringLiteral("kite12: preset skipped: %1\n").arg(problem).toUtf8());
    return list;
}

const Preset& named(const PresetList& list, const QString& id) {
    const Preset* preset = findPreset(list, id);
    if (!preset)
        throw CliFailure{
            kExitUsage,
            QStringLiteral("preset: no preset \"%1\"; see \"kite12 preset list\"").arg(id)};
    return *preset;
}

QJsonObject presetJson(const Preset& preset) {
    QJsonObject fields;
    for (const auto& [field, value] : preset.changes)
        fields.insert(QLatin1String(field->name), fieldJson(*field, value));
    return {{QStringLiteral("id"), preset.id},
            {QStringLiteral("name"), preset.name},
            {QStringLiteral("name_zh"), preset.nameChinese},
            {QStringLiteral("about"), preset.about},
            {QStringLiteral("about_zh"), preset.aboutChinese},
            {QStringLiteral("own"), preset.own},
            {QStringLiteral("file"), QDir::toNativeSeparators(preset.file)},
            {QStringLiteral("fields"), fields}};
}

void list(const GlobalOptions& options) {
    const PresetList all = presets();
    QJsonArray listed;
    QString shipped =
        QStringLiteral("Shipped (%1):\n").arg(QDir::toNativeSeparators(shippedPresetFolder()));
    QString own =
        QStringLiteral("Your own (%1):\n").arg(QDir::toNativeSeparators(userPresetFolder()));
    for (const Preset& preset : all.presets) {
        listed.append(presetJson(preset));
        (preset.own ? own : shipped) +=
            QStringLiteral("  %1 %2\n")
                .arg(preset.id, -12)
                .arg(preset.about.isEmpty() ? preset.name
                                            : preset.name + QStringLiteral(": ") + preset.about);
    }
    report(QStringLiteral("presets"), listed);
    if (!options.json)
        print(shipped + own);
}

void show(const GlobalOptions& options, const Preset& preset) {
    if (options.json)
        return report(QStringLiteral("preset"), presetJson(preset));
    QString text = QStringLiteral("%1 (%2)\n%3\n%4\n\n")
                       .arg(preset.name, preset.nameChinese, preset.about, preset.aboutChinese);
    for (const auto& [field, value] : preset.changes)
        text += QStringLiteral("%1 %2\n").arg(QLatin1String(field->name), -15).arg(value);
    print(text);
}

} // namespace

int command::preset(const GlobalOptions& options, const QStringList& arguments) {
    QCommandLineParser parser;
    addWriteOptions(parser);
    parser.addPositionalArgument(
        QStringLiteral("ACTION"),
        QStringLiteral("list: the shipped presets and your own. show NAME: a preset's fields. "
                       "apply NAME: write them to the tracker, as set would. save NAME FILE: keep "
                       "the fields of a settings file, less the callsign, passcode and "
                       "position, as your own preset NAME."),
        QStringLiteral("list|show NAME|apply NAME|save NAME FILE"));
    const QStringList words =
        parseCommand(parser, arguments,
                     QStringLiteral("Presets: the SSID, symbol, path and beacon mode that suit "
                                    "one way of using a tracker, and your own."),
                     3);
    const QString verb = words.value(0);
    // Each verb with the number of words it takes, itself included.
    const QHash<QString, qsizetype> verbs{{QStringLiteral("list"), 1},
                                          {QStringLiteral("show"), 2},
                                          {QStringLiteral("apply"), 2},
                                          {QStringLiteral("save"), 3}};
    if (verbs.value(verb) != words.size())
        throw CliFailure{kExitUsage, QStringLiteral("preset: say list, show NAME, apply NAME or "
                                                    "save NAME FILE; see \"kite12 preset "
                                                    "--help\"")};
    if (verb == QLatin1String("list")) {
        list(options);
    } else if (verb == QLatin1String("show")) {
        const PresetList all = presets();
        show(options, named(all, words.at(1)));
    } else if (verb == QLatin1String("save")) {
        const auto saved = savePreset(words.at(1), readFileForWrite(words.at(2)).changes);
        if (const auto* error = std::get_if<SettingsFileError>(&saved))
            throw CliFailure{kExitUsage, QStringLiteral("preset save: ") + error->reason};
        const QString file = QDir::toNativeSeparators(std::get<QString>(saved));
        report(QStringLiteral("file"), file);
        if (!options.json)
            print(file + QLatin1Char('\n'));
    } else {
        const PresetList all = presets();
        const Preset& preset = named(all, words.at(1));
        WriteRequest request = writeRequest(parser, QStringList{QStringLiteral("preset")} + words);
        request.record = preset.record;
        request.changes = preset.changes;
        request.reason = PointReason::Set;
        return runWrite(options, request);
    }
    return kExitDone;
}
