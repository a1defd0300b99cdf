#include "AprsServers.h"

const QStringList& aprsServers() {
    static const QStringList servers{
        QStringLiteral("china.aprs2.net"),  QStringLiteral("japan.aprs2.net"),
        QStringLiteral("euro.aprs2.net"),   QStringLiteral("205.209.228.93"),
        QStringLiteral("rotate.aprs2.net"), QStringLiteral("noam.aprs2.net"),
        QStringLiteral("soam.aprs2.net"),   QStringLiteral("asia.aprs2.net"),
        QStringLiteral("aunz.aprs2.net")};
    return servers;
}
