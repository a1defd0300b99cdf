#include "ListedPort.h"

#include "ControlNames.h"
#include "MSComm.h"
#include "PortNumbers.h"
#include "SerialError.h"
#include "TrackerCommands.h"

#include <QComboBox>

bool openListedPort(const FormContext& context) {
    const QString name = context.control<QComboBox>(QLatin1String(ctl::PortList))->currentText();
    if (const auto number = portNumberOfName(name)) {
        try {
            context.comm->setCommPort(*number);
            context.comm->setSettings(kLineSettings);
            context.comm->open();
            return true;
        } catch (const SerialError& error) {
            if (error.kind() != SerialError::Kind::NoSuchPort)
                throw;
        }
    }
    context.showMessage(
        context
            .say("没有端口“%1”。请在端口列表中选择设备所连的端口。",
                 "There is no port \"%1\". Choose the tracker's port in the port list.")
            .arg(name));
    return false;
}
