#include "FormContext.h"

#include "ControlNames.h"
#include "MultiLineBox.h"

#include <QMessageBox>

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
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("APRS Config"), text, QMessageBox::Ok,
                    form);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

bool FormContext::askToClose(const QString& question) const {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("APRS Config"), question,
                    QMessageBox::Yes | QMessageBox::No, form);
    box.setObjectName(QStringLiteral("CloseQuestion"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
