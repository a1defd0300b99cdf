#include "PresetChoice.h"

#include "ControlBinding.h"
#include "ControlNames.h"
#include "MSComm.h"
#include "WriteOffer.h"

#include <QComboBox>
#include <utility>

namespace {

QComboBox* presetList(const FormContext& context) {
    return context.control<QComboBox>(QLatin1String(ctl::PresetList));
}

} // namespace

PresetChoice::PresetChoice(FormContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)), presets_(loadPresets()) {
    QComboBox* list = presetList(context_);
    for (const Preset& preset : std::as_const(presets_.presets)) {
        list->addItem(preset.title(context_.language));
        list->setItemData(list->count() - 1, preset.description(context_.language),
                          Qt::ToolTipRole);
    }
    list->setCurrentIndex(-1);
    // A broken file leaves the others; the log says which and where.
    for (const QString& problem : std::as_const(presets_.problems))
        context_.appendStatus(context_.say("预设未载入：", "Preset not loaded: ") + problem +
                              QStringLiteral("\r\n"));
    connect(list, &QComboBox::activated, this, &PresetChoice::choose);
    connect(context_.comm, &MSComm::opened, this, &PresetChoice::offerWhilePortFree);
    connect(context_.comm, &MSComm::closed, this, &PresetChoice::offerWhilePortFree);
    offerWhilePortFree();
}

void PresetChoice::offerWhilePortFree() {
    presetList(context_)->setEnabled(!context_.comm->isOpen() && !context_.writeOffer->held());
}

void PresetChoice::choose(int index) {
    if (index >= 0 && index < presets_.presets.size() && !context_.comm->isOpen())
        apply(presets_.presets.at(index));
}

void PresetChoice::apply(const Preset& preset) {
    ControlBinding& settings = *context_.settings;
    QString log = context_.say("预设 ", "Preset ") + preset.title(context_.language) +
                  QStringLiteral("\r\n\r\n");
    for (const auto& [field, value] : preset.changes) {
        log += QLatin1String(field->name) + QLatin1Char('=') + value + QStringLiteral("\r\n");
        if (const auto* text = std::get_if<TextField>(&field->target)) {
            settings.setText(*text, value);
        } else if (const auto* check = std::get_if<CheckField>(&field->target)) {
            settings.setChecked(*check, value == QLatin1String("1"));
        } else {
            const OptionGroup group = std::get<OptionGroup>(field->target);
            for (int member = 0; member < memberCount(group); ++member)
                settings.setChosen(group, member, preset.record.isChosen(group, member));
        }
    }
    context_.replaceStatus(log);
    context_.writeOffer->setFieldsSupplied(true);
}
