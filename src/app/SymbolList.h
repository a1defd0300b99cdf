#pragma once

class QWidget;

// Gives the symbol list the symbols of both tables, each with its name as its
// tooltip, without choosing one; the list's own tooltip names the symbol it shows.
void installSymbolList(QWidget* form);
