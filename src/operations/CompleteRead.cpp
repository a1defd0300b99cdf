#include "CompleteRead.h"

#include "ChangeMarks.h"
#include "ControlBinding.h"
#include "RestorePoints.h"

bool keepCompleteRead(const FormContext& context) {
    const auto saved = saveRestorePoint(context.settings->record());
    // The read itself succeeded; the user only needs to know there is no copy.
    const auto* error = std::get_if<SettingsFileError>(&saved);
    if (error)
        context.appendStatus(QStringLiteral("\r\nRestore point not saved: ") + error->reason);
    context.changeMarks->setBaseline();
    return !error;
}
