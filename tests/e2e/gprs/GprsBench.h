#pragma once

#include "Form1.h"
#include "VirtualTracker.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

// The window, recalling COM3, on a virtual tracker behind that port. Message
// boxes are answered with OK as soon as they show, and their texts kept.
class GprsBench {
public:
    GprsBench();

    bool start(const QStringList& trackerOptions = {});
    Form1& form() { return *form_; }
    VirtualTracker& tracker() { return tracker_; }

    void click(const QString& button);
    // The text of a line edit, combo box or multi-line box.
    QString text(const QString& control) const;
    void setText(const QString& control, const QString& text);
    bool enabled(const QString& control) const;
    bool frameShown() const;

    // The bytes the tracker has received since the last call, once there are
    // at least `atLeast` of them or the patience has run out.
    QByteArray takeReceived(qsizetype atLeast = 0);
    const QStringList& messages() const { return messages_; }

private:
    QTemporaryDir folder_;
    VirtualTracker tracker_;
    std::unique_ptr<Form1> form_;
    QTimer boxCloser_;
    QStringList messages_;
    qsizetype taken_ = 0;
};
