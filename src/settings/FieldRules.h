#pragma once

#include "FieldRule.h"
#include "FieldTargets.h"
#include "SettingsRecord.h"
#include "SettingsTable.h"
#include "TextEncoding.h"
#include "UiLanguage.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

const FieldRule& fieldRule(TextField field);

// Lengths count the bytes the value goes out as in `encoding`.
bool followsRule(TextField field, const QString& value,
                 TextEncoding encoding = TextEncoding::Unset);
// Its own rule, and the record's degrees at their most leave it only zeros.
bool followsRule(TextField field, const SettingsRecord& record);

// What the field takes, in a few words ("N or S", "00 to 90").
QString acceptedValues(TextField field, UiLanguage language = UiLanguage::English);
// A text's length counts the bytes of `encoding`: 2 for a Chinese character in
// GB18030, else UTF-8's 3.
QString acceptedValues(TextField field, const FieldRule& rule,
                       UiLanguage language = UiLanguage::English,
                       TextEncoding encoding = TextEncoding::Unset);
// What the setting takes, in a few words; empty when the write never sends it.
QString acceptedValues(const SettingRow& setting);
// What the field takes beside the record's other fields ("00 at 90 degrees").
QString acceptedValues(TextField field, const SettingsRecord& record, UiLanguage language);

// The value as a refusal quotes it: a control character shows as \t, \r, \n or
// \xHH, so that it neither breaks the message nor acts on a terminal.
QString quotedValue(const QString& value);

// a to z become A to Z, every other character stays: the callsign as the
// window's box takes it, and as kite12 sends it.
QString upperCaseLatin(const QString& text);

// "a, b or c".
QString oneOf(QStringList texts, UiLanguage language = UiLanguage::English);

// The fields a write of the record sends that break their rule, in field order.
QList<TextField> brokenFields(const SettingsRecord& record);

// The modem's fields that break their rule, of those GPRS Save would send.
QList<TextField> brokenModemFields(const SettingsRecord& record, bool withAccessPoint);

// The codes a settings line gives a field that the tracker keeps as a code
// (PATH:, UNIT:, ALIAS:, GPS:, SMART: and the check boxes).
QStringList lineCodes(const FieldTarget& field);
