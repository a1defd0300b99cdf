#pragma once

#include <QList>
#include <QString>

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

// Save's steps in the order sent: echo off, the connection, then the access
// point when it is enabled. Each is built just before it goes out, so that an
// edit made during the waits is what the modem stores. Field texts go out
// exactly as typed: the modem has no escape for quotes.
GprsStep gprsEchoOffStep();
// Stores a TCP connection to the server.
QList<GprsStep> gprsConnectionSteps(const QString& server);
GprsStep gprsAccessPointStep(const AccessPoint& accessPoint);

// Asks again for what the modem stored, so the boxes show it.
QList<GprsStep> gprsReadBackSteps();

// Ends the pass-through.
QList<GprsStep> gprsExitSteps();
