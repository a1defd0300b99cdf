// Received bytes in receive events of any size, through the line assembler and
// the settings line parser, as the receive event hands them on.

#include "FuzzCheck.h"
#include "LineAssembler.h"
#include "LineEncoding.h"
#include "ReplyParser.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    LineAssembler assembler;
    // Bytes since the last CR, LF not counted, and whether the line holds them all.
    QByteArray sinceCr;
    bool whole = true;
    // Checked where a line ends: after every byte would halve the fuzzer's pace.
    const auto checkLineGoesOutAsReceived = [&] {
        FUZZ_CHECK(!whole || encodeLineText(assembler.currentLine()) == sinceCr);
    };
    while (input.remaining_bytes() > 0) {
        // The split points come from the input's end, the bytes from its front.
        const size_t eventSize = input.ConsumeIntegral<uint8_t>();
        for (const uint8_t value : input.ConsumeBytes<uint8_t>(eventSize)) {
            const char byte = static_cast<char>(value);
            if (byte == '\r') {
                checkLineGoesOutAsReceived();
                sinceCr.clear();
            } else if (byte != '\n') {
                sinceCr += byte;
            }
            whole = assembler.feed(byte);
            const QString& line = assembler.currentLine();
            FUZZ_CHECK(line.size() <= LineAssembler::kLongestParsedLine);
            FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
            // A byte never makes more than one character, so a line of that many
            // bytes is always parsed.
            FUZZ_CHECK(whole || sinceCr.size() > LineAssembler::kLongestParsedLine);
            if (!whole) {
                FUZZ_CHECK(line.size() == LineAssembler::kLongestParsedLine);
                continue;
            }
            // A value comes from the line, or from a table for the coded fields.
            for (const FieldEffect& change : parseSettingsLine(line).effects) {
                if (const auto* set = std::get_if<effect::SetText>(&change))
                    FUZZ_CHECK(set->field == TextField::Unit || set->field == TextField::Path ||
                               set->field == TextField::Alias ||
                               set->field == TextField::Backlight || line.contains(set->value));
                else if (const auto* choose = std::get_if<effect::SetChosen>(&change))
                    FUZZ_CHECK(choose->member >= 0 &&
                               choose->member <= (choose->group == OptionGroup::Gps ? 1 : 2));
            }
        }
    }
    checkLineGoesOutAsReceived();
    return 0;
}
