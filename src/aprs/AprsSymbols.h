#pragma once

#include "UiLanguage.h"

#include <QList>
#include <QString>

// An APRS symbol: its table character ("/" primary, "\" alternate) and its code
// character, as the tracker holds them ("/>"), with its common name in both languages.
struct AprsSymbol {
    QString code;
    QString name;
    QString chineseName;
};

// The commonly used symbols of both tables, primary first, each in code order.
const QList<AprsSymbol>& aprsSymbols();

// The symbol a code shows: the table symbol it stands for ("\\&" for "I&") and the
// overlay character laid over it (null when none).
struct ShownSymbol {
    QString tableCode;
    QChar overlay;
};
ShownSymbol shownSymbol(const QString& code);

// The name of a symbol of the tables ("/>" gives "car"); nothing for another code.
QString symbolName(const QString& code, UiLanguage language = UiLanguage::English);

// "/> car" for a symbol of the table, "I& gateway, overlay I" for an alternate symbol
// with an overlay character; nothing for another text.
QString symbolToolTip(const QString& code, UiLanguage language = UiLanguage::English);
