#pragma once

class QWidget;

// Keeps the fields consistent however they change, by the user or a program:
// the character filters, a map's position pasted into the latitude, the
// passcode trim, the GPRS info box's length rule, the exclusive option groups,
// the controls each group or check box enables, and the beginning of a text set
// by a program in view.
void installEditingRules(QWidget* form);
