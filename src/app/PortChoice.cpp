#include "PortChoice.h"

#include "FormContext.h"
#include "MSComm.h"
#include "PortNames.h"
#include "SerialError.h"

void choosePort(const FormContext& context, const QString& itemText) {
    const auto number = portNumberOfName(itemText);
    if (!number)
        return;
    try {
        context.comm->setCommPort(*number);
    } catch (const SerialError&) {
        context.showMessage(QStringLiteral("Port is open"));
    }
}
