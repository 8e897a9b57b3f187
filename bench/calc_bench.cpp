#include <benchmark/benchmark.h>

#include <cmath>

#include "calc/gearsettings.h"
#include "calc/performance.h"
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

// A 10-speed (the Ford 10R80's ratios) with a 100-point torque curve, from the entered values to every upshift and
// top speed: what the Performance window computes at each edit.
void BM_PerformanceTenSpeedHundredPoints(benchmark::State& state)
{
    Vehicle vehicle;
    vehicle.gearbox = {{4.696, 2.985, 2.146, 1.769, 1.520, 1.275, 1.000, 0.854, 0.689, 0.636}, -4.866, {3.55}};
    vehicle.tire = {TireKind::Size, 0, "275/40R19"};
    vehicle.engine.redlineRpm = 7500;
    vehicle.engine.torque.unit = TorqueUnit::NewtonMetres;
    for (int i = 0; i < 100; ++i) { // a hump with a dip, so that every piece counts
        const double rpm = 1000.0 + 65.0 * i;
        vehicle.engine.torque.points.push_back(
            {rpm, 420.0 + 180.0 * std::sin(rpm / 2300.0) - 30.0 * std::cos(rpm / 400.0)});
    }
    vehicle.road.mass = 1800;
    vehicle.road.cd = 0.35;
    vehicle.road.frontalArea = 2.3;
    for (auto _ : state)
        benchmark::DoNotOptimize(AnalysePerformance(vehicle));
}
BENCHMARK(BM_PerformanceTenSpeedHundredPoints);

} // namespace
