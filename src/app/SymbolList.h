#pragma once

#include "UiLanguage.h"

class QWidget;

// The picture beside the symbol list, showing the symbol its text names.
inline constexpr char kSymbolPictureName[] = "SymbolPicture";

// Gives the symbol list the symbols of both tables, shown in its list with their
// pictures and names but each standing for its code alone, without choosing one;
// the list's tooltip and the picture beside it show the symbol it holds. The
// names are in the window's language.
void installSymbolList(QWidget* form, UiLanguage language);
