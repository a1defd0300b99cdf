#pragma once

#include <QString>

struct FormContext;

// The user chose an item of the port list: a port name sets the port number;
// while the port is open the number stays and the user is told.
void choosePort(const FormContext& context, const QString& itemText);
