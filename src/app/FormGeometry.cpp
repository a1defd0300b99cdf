#include "FormGeometry.h"

#include <QWidget>
#include <cmath>

FormGeometry::FormGeometry(const QWidget* form) : scale_(form->logicalDpiX() / 96.0) {}

int FormGeometry::scaled(int pixels) const {
    return static_cast<int>(std::lround(pixels * scale_));
}

QRect FormGeometry::rect(int x, int y, int width, int height) const {
    return {scaled(x), scaled(y), scaled(width), scaled(height)};
}
