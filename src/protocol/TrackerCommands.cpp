#include "TrackerCommands.h"

#include "TrackerCodes.h"

namespace {
constexpr int kCallsignWidth = 6;

// The code of a listed text; a backlight time goes as it is. The field rules
// let no other text reach a write.
QString codeOf(TextField field, const QString& text) {
    return codeOfText(field, text).value_or(text);
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

// The chosen beacon mode's command; none when no mode is chosen.
QString beaconCommand(const SettingsRecord& f) {
    for (int member = 0; member < memberCount(OptionGroup::BeaconMode); ++member)
        if (f.isChosen(OptionGroup::BeaconMode, member))
            return command("SMART", beaconModeCode(member));
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
        return {command("PATH", codeOf(TextField::Path, f.path)), 200};
    case 8:
        return {command("MOD", f.modulation), 200};
    case 9:
        return {command("MICE", flag(f.micE)), 200};
    case 10:
        return {command("GPS", flag(f.gpsChosen)), 200};
    case 11:
        return {command("BACKLIGHT", codeOf(TextField::Backlight, f.backlight)), 200};
    case 12:
        return {command("UNIT", codeOf(TextField::Unit, f.unit)), 200};
    case 13:
        return {command("BEEP", flag(f.beep)), 200};
    case 14:
        return {command("DIGI", flag(f.digi)), 200};
    case 15:
        return {command("ALIAS", codeOf(TextField::Alias, f.alias)), 200};
    case 16:
        return {beaconCommand(f), 200};
    case 17:
        if (f.beaconMode == SettingsRecord::BeaconMode::Interval)
            return {command("INTERVAL", f.interval), 200};
        return {};
    default:
        return {};
    }
}
