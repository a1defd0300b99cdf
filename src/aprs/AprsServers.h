#pragma once

#include <QStringList>

// The APRS-IS servers the server box and "kite12 gprs servers" offer: the four the
// box always listed (the first is the default's), then the rotate address and its
// regional ones. Each follows the modem's server rule.
const QStringList& aprsServers();
