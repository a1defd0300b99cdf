#pragma once

#include "FormContext.h"
#include "Presets.h"

#include <QObject>

// The preset list: choosing a preset fills the fields it holds, as a load of a
// file of those lines would, and leaves the change marks on them; nothing is
// sent until Write data.
class PresetChoice : public QObject {
    Q_OBJECT
public:
    explicit PresetChoice(FormContext context, QObject* parent = nullptr);

    void apply(const Preset& preset);

private:
    void choose(int index);
    // Offered whenever no operation holds the port, as Load file is.
    void offerWhilePortFree();

    FormContext context_;
    PresetList presets_;
};
