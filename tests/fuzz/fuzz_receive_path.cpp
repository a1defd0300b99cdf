// Received bytes in receive events of any size, through the line assembler and
// the settings line parser, as the receive event hands them on.

#include "FuzzCheck.h"
#include "LineAssembler.h"
#include "SettingsLineParser.h"

#include <QByteArray>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// Fields whose value comes from a table or a fixed text rather than the line.
bool isCodedField(TextField field) {
    return field == TextField::Unit || field == TextField::Path || field == TextField::Alias ||
           field == TextField::Backlight;
}

void checkEffects(const QString& line, const ParseResult& result) {
    for (const FieldEffect& change : result.effects) {
        if (const auto* set = std::get_if<effect::SetText>(&change)) {
            FUZZ_CHECK(isCodedField(set->field) || line.contains(set->value));
        } else if (const auto* choose = std::get_if<effect::SetChosen>(&change)) {
            FUZZ_CHECK(choose->member >= 0 && choose->member <= 2);
            FUZZ_CHECK(choose->group != OptionGroup::Gps || choose->member <= 1);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    LineAssembler assembler;
    // Bytes since the last CR, LF not counted: what the line would hold without a limit.
    qsizetype sinceCr = 0;

    while (input.remaining_bytes() > 0) {
        // The split points come from the input's end, the bytes from its front.
        const size_t eventSize = input.ConsumeIntegral<uint8_t>();
        const std::vector<uint8_t> event = input.ConsumeBytes<uint8_t>(eventSize);
        for (const uint8_t value : event) {
            const char byte = static_cast<char>(value);
            if (byte == '\r')
                sinceCr = 0;
            else if (byte != '\n')
                ++sinceCr;

            const bool handedOn = assembler.feed(byte);
            const QString& line = assembler.currentLine();
            FUZZ_CHECK(line.size() <= LineAssembler::kLongestParsedLine);
            FUZZ_CHECK(handedOn == (sinceCr <= LineAssembler::kLongestParsedLine));
            if (!handedOn)
                continue;
            FUZZ_CHECK(line.size() == sinceCr);
            FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
            if (byte != '\r' && byte != '\n')
                FUZZ_CHECK(line.back().unicode() == value);
            checkEffects(line, parseSettingsLine(line));
        }
    }
    return 0;
}
