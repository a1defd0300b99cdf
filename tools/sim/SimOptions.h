#pragma once

#include "TrackerCore.h"

#include <QString>
#include <QStringList>

// Everything the command line sets.
struct SimOptions {
    TrackerCore::Options core;
    QString link;
    QString log;
    QString imageOut;
    QString settingsFile;
    QString lease;
    QByteArray ignoredKey;
    bool silent = false;
    int byteDelayMs = 0;
    bool lineSpeed = false;
    bool garbage = false;
    bool flood = false;
    bool stall = false;
    qint64 unplugAfterBytes = 0;
    int replugAfterMs = -1;
};

// Parses the arguments; on a bad or --help argument prints and exits.
SimOptions parseSimOptions(const QStringList& arguments);
