#include "FieldsBeforeRead.h"

#include "ChangeMarks.h"
#include "WriteOffer.h"

FieldsBeforeRead::FieldsBeforeRead(const FormContext& context)
    : context_(context), fields_(context.settings->held()),
      supplied_(context.writeOffer->fieldsSupplied()), baseline_(context.changeMarks->baseline()) {}

void FieldsBeforeRead::putBack() const {
    context_.settings->putBack(fields_);
    context_.writeOffer->setFieldsSupplied(supplied_);
    context_.changeMarks->setBaseline(baseline_);
}
