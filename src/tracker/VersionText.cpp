#include "VersionText.h"

QString versionText(const QString& program) {
    // The blank line keeps the copyright and the licence apart in the manual.
    return QStringLiteral("%1 %2\n").arg(program, QStringLiteral(KITE12_VERSION)) +
           QStringLiteral("Copyright (C) 2026 The KITE12 APRS Config developers.\n\n"
                          "License GPLv3+: GNU GPL version 3 or later "
                          "<https://gnu.org/licenses/gpl.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n");
}
