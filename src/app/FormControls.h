#pragma once

class ControlFactory;
class QWidget;

// The form's controls with their design texts, limits and places; lists are
// filled by start-up.
void buildFormControls(QWidget* form, const ControlFactory& make);

// The client area in 96 DPI pixels.
inline constexpr int kClientWidth = 521;
inline constexpr int kClientHeight = 514;
