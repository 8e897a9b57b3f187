#include <benchmark/benchmark.h>

#include "calc/gearsettings.h"
#include "calc/roadspeed.h"
#include "numtext/numtext.h"

namespace {

GearSettings SampleRecord()
{
    GearSettings settings;
    for (const PresetStep& step : kSampleSettings)
        settings[step.field] = NarrowToFloat(*ParseFloatText(step.text));
    return settings;
}

// What every keystroke computes: the seven speed texts.
void BM_BuildSpeedTable(benchmark::State& state)
{
    const GearSettings settings = SampleRecord();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildSpeedTable(settings));
}
BENCHMARK(BM_BuildSpeedTable);

// A validating pass parses all ten fields.
void BM_ParseTenFields(benchmark::State& state)
{
    for (auto _ : state) {
        for (const PresetStep& step : kSampleSettings)
            benchmark::DoNotOptimize(ParseFloatText(step.text));
    }
}
BENCHMARK(BM_ParseTenFields);

void BM_ParseFloatTextLong(benchmark::State& state)
{
    const char* pszText = "  123456789.123456789e-5       "; // a full 31-character field
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseFloatText(pszText));
}
BENCHMARK(BM_ParseFloatTextLong);

void BM_ParseIntText(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseIntText(" 225 "));
}
BENCHMARK(BM_ParseIntText);

void BM_FormatLoadingPassNumber(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CrtFormat("%.*g", {6, double{26.4F}}));
}
BENCHMARK(BM_FormatLoadingPassNumber);

} // namespace
