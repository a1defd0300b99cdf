// Received bytes in receive events of any size, through the line assembler and
// the settings line parser, as the receive event hands them on.

#include "FuzzCheck.h"
#include "LineAssembler.h"
#include "LineEncoding.h"
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
    // Bytes since the last CR, LF not counted, and whether the line holds them all.
    QByteArray sinceCr;
    bool whole = true;
    // Checked where a line ends rather than after every byte, which would halve
    // the pace of the fuzzer; the unit tests check every step.
    const auto checkLineGoesOutAsReceived = [&] {
        FUZZ_CHECK(!whole || encodeLineText(assembler.currentLine()) == sinceCr);
    };

    while (input.remaining_bytes() > 0) {
        // The split points come from the input's end, the bytes from its front.
        const size_t eventSize = input.ConsumeIntegral<uint8_t>();
        const std::vector<uint8_t> event = input.ConsumeBytes<uint8_t>(eventSize);
        for (const uint8_t value : event) {
            const char byte = static_cast<char>(value);
            if (byte == '\r') {
                checkLineGoesOutAsReceived();
                sinceCr.clear();
            } else if (byte != '\n') {
                sinceCr += byte;
            }

            const bool handedOn = assembler.feed(byte);
            whole = handedOn;
            const QString& line = assembler.currentLine();
            FUZZ_CHECK(line.size() <= LineAssembler::kLongestParsedLine);
            FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
            // A byte never makes more than one character, so a line of that many
            // bytes is always parsed.
            FUZZ_CHECK(handedOn || sinceCr.size() > LineAssembler::kLongestParsedLine);
            if (!handedOn) {
                FUZZ_CHECK(line.size() == LineAssembler::kLongestParsedLine);
                continue;
            }
            checkEffects(line, parseSettingsLine(line));
        }
    }
    checkLineGoesOutAsReceived();
    return 0;
}
