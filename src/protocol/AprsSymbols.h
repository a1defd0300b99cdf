#pragma once

#include <QList>
#include <QString>

// An APRS symbol: its table character ("/" primary, "\" alternate) and its code
// character, as the tracker holds them ("/>"), with its common name.
struct AprsSymbol {
    QString code;
    QString name;
};

// The commonly used symbols of both tables, primary first, each in code order.
const QList<AprsSymbol>& aprsSymbols();

// "/> car" for a symbol of the table, "I& gateway, overlay I" for an alternate symbol
// with an overlay character; nothing for another text.
QString symbolToolTip(const QString& code);
