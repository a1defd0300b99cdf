#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// What the tracker keeps in its memory: one value per reply key, in the order
// the read reply sends them. Values are raw bytes, returned exactly as written.
class TrackerSettings {
public:
    TrackerSettings();

    void restoreDefaults();
    // Applies one reply-syntax line ("PASS:12345"); false for a key it does not keep.
    bool loadLine(const QByteArray& line);
    // Stores the value of a write command such as AT+PASS; false for an unknown command.
    bool applyWrite(const QByteArray& command, const QByteArray& value);
    // Every stored value as reply lines, each ending in CR LF.
    QList<QByteArray> replyLines() const;
    QByteArray value(const QByteArray& key) const;

private:
    QList<QPair<QByteArray, QByteArray>> values_;
};
