#include "PortWatch.h"

#include "ControlNames.h"
#include "MSComm.h"
#include "PortListing.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace {

QStringList itemTexts(const QComboBox* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->itemText(row));
    return texts;
}

} // namespace

PortWatch::PortWatch(const FormContext& context, QObject* parent)
    : QObject(parent), context_(context), present_(presentDevices(context.comm->devicePaths())) {
    connect(&timer_, &QTimer::timeout, this, &PortWatch::look);
    timer_.start(kLookIntervalMs);
}

bool PortWatch::listBusy() const {
    const auto* list = context_.control<QComboBox>(QLatin1String(ctl::PortList));
    return context_.comm->isOpen() || !list->isEnabled() || list->view()->isVisible() ||
           context_.windowClosing();
}

void PortWatch::look() {
    const QStringList present = presentDevices(context_.comm->devicePaths());
    // A change seen while busy is taken up once the list is free again.
    if (present == present_ || listBusy())
        return;
    present_ = present;
    auto* list = context_.control<QComboBox>(QLatin1String(ctl::PortList));
    const QStringList before = itemTexts(list);
    const bool noneChosen = !before.contains(list->currentText());
    rescanPorts(context_);
    QStringList added = itemTexts(list);
    added.removeIf([&before](const QString& name) { return before.contains(name); });
    if (noneChosen && added.size() == 1) {
        list->setCurrentIndex(list->findText(added.first()));
        choosePort(context_, added.first());
    }
}
