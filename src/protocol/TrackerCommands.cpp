#include "TrackerCommands.h"

#include <QHash>

namespace {
constexpr int kCallsignWidth = 6;

// A value for a text not in the table: the tracker's own fallback code.
QString codeOf(const QString& text, const QHash<QString, QString>& codes, const char* otherwise) {
    return codes.value(text, QString::fromLatin1(otherwise));
}

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString command(const char* key, const QString& value) {
    return commandFrame(QString::fromLatin1(key), value);
}

QString callValue(const SettingsRecord& f) {
    const qsizetype padding = qMax<qsizetype>(0, kCallsignWidth - f.callsign.size());
    return f.callsign + QString(padding, QLatin1Char(' ')) + QLatin1Char('-') + f.ssid;
}

QString positionValue(const SettingsRecord& f) {
    return f.latDegrees + f.latMinutes + QLatin1Char('.') + f.latHundredths + f.latHemisphere +
           QLatin1Char(',') + f.lonDegrees + f.lonMinutes + QLatin1Char('.') + f.lonHundredths +
           f.lonHemisphere;
}

QString pathCode(const QString& path) {
    static const QHash<QString, QString> codes{
        {QStringLiteral("None"), QStringLiteral("0")},
        {QStringLiteral("WIDE1-1"), QStringLiteral("1")},
        {QStringLiteral("WIDE1-1WIDE2-1"), QStringLiteral("2")},
        {QStringLiteral("WIDE1-1WIDE2-2"), QStringLiteral("3")}};
    return codeOf(path, codes, "1");
}

QString unitCode(const QString& unit) {
    static const QHash<QString, QString> codes{{QStringLiteral("km"), QStringLiteral("1")},
                                               {QStringLiteral("mi"), QStringLiteral("2")},
                                               {QStringLiteral("公里"), QStringLiteral("3")}};
    return codeOf(unit, codes, "2");
}

QString aliasCode(const QString& alias) {
    static const QHash<QString, QString> codes{
        {QStringLiteral("WIDE1"), QStringLiteral("1")},
        {QStringLiteral("WIDE2"), QStringLiteral("2")},
        {QStringLiteral("WIDE1+WIDE2"), QStringLiteral("3")}};
    return codeOf(alias, codes, "3");
}

QString beaconCommand(SettingsRecord::BeaconMode mode) {
    switch (mode) {
    case SettingsRecord::BeaconMode::Off:
        return command("SMART", QStringLiteral("0"));
    case SettingsRecord::BeaconMode::Smart:
        return command("SMART", QStringLiteral("1"));
    case SettingsRecord::BeaconMode::Interval:
        return command("SMART", QStringLiteral("2"));
    case SettingsRecord::BeaconMode::None:
        break;
    }
    return {};
}
} // namespace

QString commandFrame(const QString& key, const QString& value) {
    return QStringLiteral("AT+") + key + QLatin1Char(',') + value + QStringLiteral("#\r\n");
}

QString handshakeCommand() {
    return QStringLiteral("\r\nSETUP#\r\n");
}

QString readCommand() {
    return QStringLiteral("AT+READ#\r\n");
}

QString rebootCommand() {
    return QStringLiteral("REBOOT#\r\n");
}

QString resetCommand() {
    return QStringLiteral("AT+RESET#\r\n");
}

WriteStep writeStep(int index, const SettingsRecord& f) {
    switch (index) {
    case 0:
        return {command("CALL", callValue(f)), 200};
    case 1:
        return {command("PASS", f.passcode), 200};
    case 2:
        return {command("SYMBOL", f.symbol), 200};
    case 3:
        // The wait is made even when the tracker takes its position from GPS.
        return {f.fixChosen ? command("POSI", positionValue(f)) : QString(), 350};
    case 4:
        return {command("COMMENT", f.comment), 350};
    case 5:
        return {command("STATUS", f.status), 350};
    case 6:
        return {command("PTTDELAY", f.pttDelay), 200};
    case 7:
        return {command("PATH", pathCode(f.path)), 200};
    case 8:
        return {command("MOD", f.modulation), 200};
    case 9:
        return {command("MICE", flag(f.micE)), 200};
    case 10:
        return {command("GPS", flag(f.gpsChosen)), 200};
    case 11:
        return {command("BACKLIGHT",
                        f.backlight == QStringLiteral("ON") ? QStringLiteral("00") : f.backlight),
                200};
    case 12:
        return {command("UNIT", unitCode(f.unit)), 200};
    case 13:
        return {command("BEEP", flag(f.beep)), 200};
    case 14:
        return {command("DIGI", flag(f.digi)), 200};
    case 15:
        return {command("ALIAS", aliasCode(f.alias)), 200};
    case 16:
        return {beaconCommand(f.beaconMode), 200};
    case 17:
        if (f.beaconMode == SettingsRecord::BeaconMode::Interval)
            return {command("INTERVAL", f.interval), 200};
        return {};
    default:
        return {};
    }
}

QList<WriteStep> writeSequence(const SettingsRecord& record) {
    QList<WriteStep> steps;
    for (int i = 0; i < kWriteStepCount; ++i)
        steps.append(writeStep(i, record));
    return steps;
}
