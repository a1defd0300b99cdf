#pragma once

#include <QComboBox>

// The port list: the ports are scanned again whenever it opens (aboutToOpen),
// and only choosing one of its items (activated) chooses a port; typed text
// never does, not even a port's name followed by Enter.
class PortList : public QComboBox {
    Q_OBJECT
public:
    explicit PortList(QWidget* parent = nullptr);

    void showPopup() override;

Q_SIGNALS:
    void aboutToOpen();
};
