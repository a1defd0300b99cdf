#pragma once

#include <QList>
#include <QString>
#include <optional>

// One text for the line and the waits that follow it, in milliseconds.
struct GprsStep {
    QString text;
    QList<int> waitsMs;

    bool operator==(const GprsStep&) const = default;
};

// The access point settings exactly as they stand in their boxes.
struct AccessPoint {
    QString name;
    QString user;
    QString password;
};

// Starts the pass-through and asks the modem for its connection and access point.
QList<GprsStep> gprsReadSteps();

// Stores a TCP connection to the server (and the access point when given).
// Field texts go out exactly as typed: the modem has no escape for quotes.
QList<GprsStep> gprsSaveSteps(const QString& server, const std::optional<AccessPoint>& accessPoint);

// Asks again for what the modem stored, so the boxes show it.
QList<GprsStep> gprsReadBackSteps();

// Ends the pass-through.
QList<GprsStep> gprsExitSteps();
