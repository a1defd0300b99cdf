#pragma once

#include "ByteLog.h"
#include "PtyDevice.h"
#include "SimOptions.h"
#include "TrackerCore.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

// The virtual tracker on its pseudo-terminal: timing, faults, log and link
// around the behaviour of TrackerCore.
class SimProgram : public QObject {
    Q_OBJECT
public:
    explicit SimProgram(const SimOptions& options, QObject* parent = nullptr);
    // Takes the link away with the device.
    ~SimProgram() override;

    // Opens the first device; false with a message on standard error.
    bool start();

private:
    void plugIn();
    void unplug();
    void arrive(const QByteArray& bytes);
    void deliverFromLine();
    void take(const QByteArray& bytes);
    void queue(const TrackerCore::Output& output);
    void sendNext();
    void floodMore();
    void writeImage(const QByteArray& image);
    void announce(const QString& device);
    void removeLink();
    QByteArray garbage();

    SimOptions options_;
    TrackerCore core_;
    PtyDevice device_;
    ByteLog log_;
    QTimer sendTimer_;
    // With --line-speed: what the line still carries, and when it is free.
    QByteArray onLine_;
    QElapsedTimer lineClock_;
    qint64 lineFreeNs_ = 0;
    QTimer lineTimer_;
    QList<TrackerCore::Send> pending_;
    qint64 receivedBytes_ = 0;
    bool unplugDone_ = false;
};
