// The vehicle file's reader on arbitrary bytes, and the presets and axles readers on the same bytes as JSON Lines. A
// reader gives a value or a message naming the file, never both; a vehicle it gives is valid, analyses, and is written
// back into a file that reads as the same vehicle.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "calc/performance.h"
#include "fuzz/fuzzcheck.h"
#include "settingsfile/axlesfile.h"
#include "settingsfile/presetsfile.h"
#include "settingsfile/vehiclefile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);
    const ReadOutcome<Vehicle> read = ParseVehicleFile("fuzz.rgvehicle", bytes);
    FuzzCheck(read.value.has_value() == read.strError.empty(), "a vehicle or a message, never both");
    FuzzCheck(read.value || read.strError.starts_with("fuzz.rgvehicle"), "a message names the file");
    if (read.value) {
        FuzzCheck(ValidateVehicle(*read.value).empty(), "a vehicle read is valid");
        FuzzCheck(AnalysePerformance(*read.value).has_value(), "a vehicle read analyses");
        const ReadOutcome<Vehicle> back = ParseVehicleFile("back", FormatVehicleFile(*read.value));
        FuzzCheck(back.value == read.value, "a vehicle written reads back the same");
    }
    const ReadOutcome<PresetList> presets = ParsePresetsFile("fuzz.jsonl", bytes);
    FuzzCheck(presets.value.has_value() == presets.strError.empty(), "presets or a message, never both");
    FuzzCheck(presets.value || presets.strError.starts_with("fuzz.jsonl"), "a presets message names the file");
    const ReadOutcome<AxleLists> axles = ParseAxlesFile("fuzz.jsonl", bytes);
    FuzzCheck(axles.value.has_value() == axles.strError.empty(), "axles or a message, never both");
    FuzzCheck(axles.value || axles.strError.starts_with("fuzz.jsonl"), "an axles message names the file");
    return 0;
}
