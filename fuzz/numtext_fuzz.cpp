#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzzcheck.h"
#include "numtext/numtext.h"

namespace {

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void CheckStrtod(std::string_view text)
{
    const CrtDouble number = CrtStrtod(text);
    FuzzCheck(number.nConsumed <= text.size(), "CrtStrtod consumes no more than the text");
    FuzzCheck(!std::isnan(number.value), "CrtStrtod never reads a NaN");
    if (number.nConsumed == 0) {
        FuzzCheck(SameBits(number.value, 0.0), "CrtStrtod without a number reads +0");
        return;
    }
    const CrtDouble prefix = CrtStrtod(text.substr(0, number.nConsumed));
    FuzzCheck(prefix.nConsumed == number.nConsumed && SameBits(prefix.value, number.value),
              "CrtStrtod reads its consumed prefix alike");
    if (std::isfinite(number.value)) {
        const std::string exact = CrtFormat("%.17g", {number.value});
        const CrtDouble again = CrtStrtod(exact);
        FuzzCheck(again.nConsumed == exact.size() && SameBits(again.value, number.value),
                  "a value read by CrtStrtod comes back from %.17g");
    }
}

void CheckStrtol(std::string_view text)
{
    const CrtLong number = CrtStrtol(text);
    FuzzCheck(number.nConsumed <= text.size(), "CrtStrtol consumes no more than the text");
    if (number.nConsumed == 0) {
        FuzzCheck(number.value == 0, "CrtStrtol without a number reads 0");
        return;
    }
    const CrtLong prefix = CrtStrtol(text.substr(0, number.nConsumed));
    FuzzCheck(prefix.nConsumed == number.nConsumed && prefix.value == number.value,
              "CrtStrtol reads its consumed prefix alike");
    const std::string decimal = CrtFormat("%d", {static_cast<int>(number.value)});
    FuzzCheck(CrtStrtol(decimal).value == number.value, "a value read by CrtStrtol comes back from %d");
}

void CheckParseFloatText(std::string_view text)
{
    const std::optional<double> value = ParseFloatText(text);
    if (!value)
        return;
    FuzzCheck(SameBits(*value, CrtStrtod(text).value), "ParseFloatText agrees with CrtStrtod");
    const std::string padded = " \t" + std::string(text) + "\t ";
    const std::optional<double> paddedValue = ParseFloatText(padded);
    FuzzCheck(paddedValue && SameBits(*paddedValue, *value), "blanks around a number do not change it");
    if (std::isfinite(*value)) {
        const std::optional<double> again = ParseFloatText(CrtFormat("%.17g", {*value}));
        FuzzCheck(again && SameBits(*again, *value), "an accepted value is accepted again from %.17g");
    }
}

void CheckParseIntText(std::string_view text)
{
    const std::optional<int> value = ParseIntText(text);
    if (!value)
        return;
    FuzzCheck(*value == CrtStrtol(text).value, "ParseIntText agrees with CrtStrtol");
    FuzzCheck(ParseIntText(CrtFormat("%d", {*value})) == value, "an accepted value is accepted again from %d");
}

// A float as the settings file writes it either comes back as nearly the same number or is refused; it must
// never come back as a different one.
void CheckSavedFloat(float fValue)
{
    if (!std::isfinite(fValue)) {
        FuzzCheck(!ParseFloatText(CrtFormat("%g", {double{fValue}})), "a non-finite value is refused on reload");
        FuzzCheck(!ParseFloatText(CrtFormat("%-5.0f", {double{fValue}})), "a non-finite RPM is refused on reload");
        return;
    }
    const double value = fValue;
    const std::optional<double> general = ParseFloatText(CrtFormat("%g", {value}));
    if (general)
        FuzzCheck(std::fabs(*general - value) <= std::fabs(value) * 1e-5, "%g reloads as nearly the same number");
    else
        FuzzCheck(value == 0.0 && std::signbit(value), "%g is refused only for -0");
    const std::optional<double> rpm = ParseFloatText(CrtFormat("%-5.0f", {value}));
    if (rpm)
        FuzzCheck(std::fabs(*rpm - value) <= 0.5, "%-5.0f reloads as the rounded number");
    else
        FuzzCheck(value <= 0.0 && value >= -0.5, "%-5.0f is refused only for what rounds to -0");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view text(reinterpret_cast<const char*>(pData), nSize);
    CheckStrtod(text);
    CheckStrtol(text);
    CheckParseFloatText(text);
    CheckParseIntText(text);

    if (nSize >= sizeof(double)) {
        double value = 0.0;
        std::memcpy(&value, pData, sizeof value);
        if (std::isfinite(value))
            FuzzCheck(SameBits(CrtStrtod(CrtFormat("%.17g", {value})).value, value), "%.17g reads back exactly");
    }
    if (nSize >= sizeof(float)) {
        float fValue = 0.0F;
        std::memcpy(&fValue, pData, sizeof fValue);
        CheckSavedFloat(fValue);
    }
    return 0;
}
