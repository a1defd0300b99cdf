#pragma once

#include <QRect>

class QWidget;

// The form is drawn in pixels of a 96 DPI screen; this scales them to the
// screen the window is on.
class FormGeometry {
public:
    explicit FormGeometry(const QWidget* form);

    int scaled(int pixels) const;
    QRect rect(int x, int y, int width, int height) const;

private:
    double scale_;
};
