#include "TrackerCodes.h"

namespace {

struct BeaconModeCode {
    QString code;
    int member;
};

const QList<BeaconModeCode>& beaconModeCodes() {
    static const QList<BeaconModeCode> codes{
        {QStringLiteral("0"), 1}, {QStringLiteral("1"), 0}, {QStringLiteral("2"), 2}};
    return codes;
}

} // namespace

const QList<TrackerCode>& trackerCodes(TextField field) {
    static const QList<TrackerCode> units{{QStringLiteral("1"), QStringLiteral("km")},
                                          {QStringLiteral("2"), QStringLiteral("mi")},
                                          {QStringLiteral("3"), QStringLiteral("\u516C\u91CC")}};
    static const QList<TrackerCode> paths{{QStringLiteral("0"), QStringLiteral("None")},
                                          {QStringLiteral("1"), QStringLiteral("WIDE1-1")},
                                          {QStringLiteral("2"), QStringLiteral("WIDE1-1WIDE2-1")},
                                          {QStringLiteral("3"), QStringLiteral("WIDE1-1WIDE2-2")}};
    static const QList<TrackerCode> aliases{{QStringLiteral("1"), QStringLiteral("WIDE1")},
                                            {QStringLiteral("2"), QStringLiteral("WIDE2")},
                                            {QStringLiteral("3"), QStringLiteral("WIDE1+WIDE2")}};
    // Other backlight values are times the tracker takes as typed.
    static const QList<TrackerCode> backlights{{QStringLiteral("00"), QStringLiteral("ON")},
                                               {QStringLiteral("0"), QStringLiteral("ON")}};
    static const QList<TrackerCode> none;
    switch (field) {
    case TextField::Unit:
        return units;
    case TextField::Path:
        return paths;
    case TextField::Alias:
        return aliases;
    case TextField::Backlight:
        return backlights;
    default:
        return none;
    }
}

std::optional<QString> textOfCode(TextField field, const QString& code) {
    for (const TrackerCode& entry : trackerCodes(field))
        if (entry.code == code)
            return entry.text;
    return std::nullopt;
}

std::optional<QString> codeOfText(TextField field, const QString& text) {
    for (const TrackerCode& entry : trackerCodes(field))
        if (entry.text == text)
            return entry.code;
    return std::nullopt;
}

QStringList codedTexts(TextField field) {
    QStringList texts;
    for (const TrackerCode& entry : trackerCodes(field))
        if (!texts.contains(entry.text))
            texts.append(entry.text);
    return texts;
}

QString beaconModeCode(int member) {
    for (const BeaconModeCode& entry : beaconModeCodes())
        if (entry.member == member)
            return entry.code;
    return {};
}

std::optional<int> beaconModeMember(const QString& code) {
    for (const BeaconModeCode& entry : beaconModeCodes())
        if (entry.code == code)
            return entry.member;
    return std::nullopt;
}
