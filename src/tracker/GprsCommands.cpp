#include "GprsCommands.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

GprsStep line(const QString& text, QList<int> waitsMs = {}) {
    return {text + kCrLf, std::move(waitsMs)};
}

// The line end first closes whatever unfinished line the other side holds.
GprsStep freshLine(const QString& text, QList<int> waitsMs = {}) {
    return {kCrLf + text + kCrLf, std::move(waitsMs)};
}
} // namespace

QList<GprsStep> gprsReadSteps() {
    return {
        freshLine(QStringLiteral("tsgsm,1#"), {100}), freshLine(QStringLiteral("tsgsm,1#"), {100}),
        line(QStringLiteral("AT+ATE1"), {500}),       line(QStringLiteral("AT+CIPSCONT?"), {1000}),
        freshLine(QStringLiteral("AT+CSTT?")),
    };
}

GprsStep gprsEchoOffStep() {
    return line(QStringLiteral("ATE0"), {10, 100});
}

QList<GprsStep> gprsConnectionSteps(const QString& server) {
    // The stored port is always 14580, whatever the port box shows.
    return {
        line(QStringLiteral("AT+CIPSCONT=0,") + quoted(QStringLiteral("TCP")) + QLatin1Char(',') +
                 quoted(server) + QStringLiteral(",14580,1,C"),
             {100}),
        line(QStringLiteral("AT+CIPMUX=0"), {100}),
        line(QStringLiteral("AT+CIPMODE=1,1"), {100}),
        line(QStringLiteral("AT+CIPCFG=1,600,0,0,0,65"), {500}),
        line(QStringLiteral("AT+CIPSCONT"), {500}),
    };
}

GprsStep gprsAccessPointStep(const AccessPoint& accessPoint) {
    return line(QStringLiteral("AT+CSTT=") + quoted(accessPoint.name) + QLatin1Char(',') +
                quoted(accessPoint.user) + QLatin1Char(',') + quoted(accessPoint.password));
}

QList<GprsStep> gprsReadBackSteps() {
    return {
        freshLine(QStringLiteral("AT+CIPSCONT?"), {1000}),
        freshLine(QStringLiteral("AT+CSTT?"), {500}),
    };
}

QList<GprsStep> gprsExitSteps() {
    return {
        line(QStringLiteral("tsgsm,0#"), {500}),
        line(QStringLiteral("tsgsm,0#"), {200}),
    };
}
