#include "FormContext.h"

#include "ControlNames.h"
#include "MSComm.h"
#include "MessageText.h"
#include "MultiLineBox.h"

#include <QMessageBox>

QString FormContext::portInLog() const {
    const int port = comm->commPort();
    const QString device = comm->devicePath(port);
    return device.isEmpty() ? QStringLiteral("COM%1").arg(port) : device;
}

MultiLineBox* FormContext::statusLog() const {
    return control<MultiLineBox>(QLatin1String(ctl::StatusLog));
}

void FormContext::replaceStatus(const QString& text) const {
    statusLog()->setText(text);
}

void FormContext::appendStatus(const QString& text) const {
    statusLog()->appendText(text);
}

void FormContext::showMessage(const QString& text) const {
    if (windowClosing())
        return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("APRS Config"), QString(), QMessageBox::Ok,
                    form);
    box.setObjectName(QStringLiteral("MessageBox"));
    setMessageText(box, text);
    box.exec();
}

bool FormContext::ask(const QString& question) const {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("APRS Config"), QString(),
                    QMessageBox::Yes | QMessageBox::No, form);
    setMessageText(box, question);
    box.setObjectName(QStringLiteral("CloseQuestion"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
