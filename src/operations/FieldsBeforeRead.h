#pragma once

#include "ControlBinding.h"
#include "FormContext.h"

#include <optional>

// What the fields held before a read emptied them, with what Write data, Save
// file and the change marks made of them: a read that does not complete puts
// it all back, so it loses no edit and no file just loaded.
class FieldsBeforeRead {
public:
    explicit FieldsBeforeRead(const FormContext& context);
    void putBack() const;

private:
    FormContext context_;
    ControlBinding::Held fields_;
    bool supplied_;
    std::optional<SettingsRecord> baseline_;
};
