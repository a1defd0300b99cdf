#include "PortHold.h"

#include "ControlNames.h"
#include "MSComm.h"
#include "WriteOffer.h"

#include <QByteArrayAlgorithms>
#include <algorithm>

void holdPortControls(const FormContext& context, bool held,
                      std::initializer_list<const char*> spared) {
    context.writeOffer->setHeld(held);
    for (const char* name :
         {ctl::OpenPortButton, ctl::ReadButton, ctl::DefaultButton, ctl::UpdateButton,
          ctl::RestartButton, ctl::GprsSetupButton, ctl::GprsReadButton, ctl::GprsSaveButton,
          ctl::GprsExitButton, ctl::PortList, ctl::LoadFileButton, ctl::PresetList}) {
        const auto same = [name](const char* other) { return qstrcmp(name, other) == 0; };
        if (std::ranges::any_of(spared, same))
            continue;
        // Load file and the presets wait besides for a port that GPRS setup keeps open.
        const bool free =
            !(same(ctl::LoadFileButton) || same(ctl::PresetList)) || !context.comm->isOpen();
        context.control<QWidget>(QString::fromLatin1(name))->setEnabled(!held && free);
    }
}
