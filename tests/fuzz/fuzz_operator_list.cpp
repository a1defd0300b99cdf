// Any bytes as the list of mobile operators: a list or a reason, never both,
// and every operator with an access point to offer.

#include "FuzzCheck.h"
#include "MobileOperators.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const OperatorList list = readOperatorList(bytes);
    FUZZ_CHECK(list.countries.isEmpty() != list.problem.isEmpty());
    for (const OperatorCountry& country : list.countries) {
        FUZZ_CHECK(!country.code.isEmpty() && country.code == country.code.toUpper());
        FUZZ_CHECK(findCountry(list, country.code.toLower()) != nullptr);
        FUZZ_CHECK(!country.title().isEmpty() && !country.operators.isEmpty());
        for (const MobileOperator& mobile : country.operators) {
            FUZZ_CHECK(!mobile.name.isEmpty() && !mobile.preferred().value.isEmpty());
            FUZZ_CHECK(!findOperators(country, mobile.name).isEmpty());
        }
    }
    return 0;
}
