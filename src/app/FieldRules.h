#pragma once

class QWidget;

// Keeps the fields consistent however they change, by the user or a program:
// the character filters, the passcode trim, the GPRS info box's length rule, the
// exclusive option groups and the controls each group or check box enables.
void installFieldRules(QWidget* form);
