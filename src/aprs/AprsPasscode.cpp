#include "AprsPasscode.h"

#include <algorithm>

int aprsPasscode(const QString& callsign) {
    // The servers hash bytes, upper-cased as in the C locale.
    const QByteArray call = callsign.section(QLatin1Char('-'), 0, 0).toLatin1();
    int hash = 0x73e2;
    for (qsizetype i = 0; i < call.size(); ++i) {
        int c = static_cast<unsigned char>(call.at(i));
        if (c >= 'a' && c <= 'z')
            c -= 'a' - 'A';
        hash ^= i % 2 == 0 ? c << 8 : c;
    }
    return hash & 0x7fff;
}

bool passcodeMatches(const QString& callsign, const QString& passcode) {
    bool isNumber = false;
    const int number = passcode.toInt(&isNumber);
    // toInt would take a sign or surrounding blanks.
    const bool digitsOnly =
        std::all_of(passcode.begin(), passcode.end(), [](QChar c) { return c.isDigit(); });
    return isNumber && digitsOnly && number == aprsPasscode(callsign);
}
