#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The master side of a pseudo-terminal. The slave side is held open too, so a
// client that closes the port does not hang the line up.
class PtyDevice : public QObject {
    Q_OBJECT
public:
    explicit PtyDevice(QObject* parent = nullptr);
    ~PtyDevice() override;

    // Opens a new pseudo-terminal; false with errorString() on failure.
    bool open();
    void close();
    bool isOpen() const { return master_ >= 0; }
    const QString& device() const { return device_; }
    const QString& errorString() const { return error_; }
    // Queues the bytes; they go out as fast as the line takes them.
    void write(const QByteArray& bytes);
    qsizetype queued() const { return queue_.size(); }
    // Leaves what arrives in the line, which then fills and holds up the writer.
    void stopReading();

Q_SIGNALS:
    void received(const QByteArray& bytes);
    void drained();

private:
    void readAvailable();
    void flush();

    int master_ = -1;
    int slaveHold_ = -1;
    QString device_;
    QString error_;
    QByteArray queue_;
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
};
