// The torque CSV reader on arbitrary bytes: a curve or one message naming the file, and a curve it gives is one the
// analysis takes (3 to 1000 points, RPM rising, nothing negative).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "calc/performance.h"
#include "fuzz/fuzzcheck.h"
#include "settingsfile/vehiclefile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const ReadOutcome<TorqueCurve> read =
        ParseTorqueCsv("fuzz.csv", std::string_view(reinterpret_cast<const char*>(pData), nSize));
    FuzzCheck(read.value.has_value() == read.strError.empty(), "a curve or a message, never both");
    FuzzCheck(read.value || read.strError.starts_with("fuzz.csv"), "a message names the file");
    FuzzCheck(!read.value || ValidateTorqueCurve(*read.value).empty(), "a curve read is valid");
    return 0;
}
