#include "CompleteRead.h"

#include "ChangeMarks.h"
#include "ControlBinding.h"
#include "RestorePoints.h"
#include "ShownRead.h"

bool keepCompleteRead(const FormContext& context) {
    const SettingsRecord record = context.settings->record();
    const auto saved = saveRestorePoint(record);
    // The read itself succeeded; the user only needs to know there is no copy.
    const auto* error = std::get_if<SettingsFileError>(&saved);
    if (error)
        context.appendStatus(QStringLiteral("\r\nRestore point not saved: ") + error->reason);
    context.changeMarks->setBaseline();
    const QString* point = std::get_if<QString>(&saved);
    *context.shownRead = {context.portInLog(), record.text(TextField::Version),
                          stationFileStem(record), point ? *point : QString()};
    return !error;
}
