#pragma once

#include <QRadioButton>

// A member of an option group: a click chooses it, a second click keeps it
// chosen. The window, not the toolkit, unchooses the other members, so that a
// program can leave a group with no member chosen.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    OptionButton(const QString& caption, QWidget* parent);

protected:
    void nextCheckState() override;
};
