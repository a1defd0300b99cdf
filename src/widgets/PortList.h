#pragma once

#include <QComboBox>

// The port list: the ports are scanned again whenever it opens (aboutToOpen).
// Its text, chosen or typed, is the port the next operation opens; Enter does
// not turn typed text into the matching item.
class PortList : public QComboBox {
    Q_OBJECT
public:
    explicit PortList(QWidget* parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    void aboutToOpen();
};
