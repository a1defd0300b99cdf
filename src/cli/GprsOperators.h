#pragma once

#include "GprsCommands.h"

#include <QString>

struct GlobalOptions;

// kite12 gprs apn: a country's mobile operators and their access points, the
// one --operator takes marked.
int listOperators(const GlobalOptions& options, const QString& country, const QString& name);

// The access point --operator COUNTRY:OPERATOR stands for: its operator's
// internet one, else its first.
AccessPoint operatorAccessPoint(const QString& choice);
