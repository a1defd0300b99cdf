#include "SymbolList.h"

#include "AprsSymbols.h"
#include "ControlNames.h"
#include "FixedLists.h"

#include <QComboBox>

void installSymbolList(QWidget* form) {
    auto* box = findControl<QComboBox>(form, QLatin1String(ctl::box(TextField::Symbol)));
    QStringList codes;
    for (const AprsSymbol& symbol : aprsSymbols())
        codes.append(symbol.code);
    setItemsKeepingText(box, codes);
    for (int row = 0; row < box->count(); ++row)
        box->setItemData(row, symbolToolTip(box->itemText(row)), Qt::ToolTipRole);
    const auto nameShown = [box] { box->setToolTip(symbolToolTip(box->currentText())); };
    QObject::connect(box, &QComboBox::editTextChanged, box, nameShown);
    nameShown();
}
