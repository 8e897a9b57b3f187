#include "calc/shiftchart.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "calc/roadspeed.h"
#include "numtext/numtext.h"

namespace {

constexpr int kMaxTicks = 6;

std::vector<ShiftChartTick> Labelled(const std::vector<double>& values, double scale)
{
    std::vector<ShiftChartTick> ticks;
    for (const double value : values)
        ticks.push_back({value / scale, CrtFormat("%g", {value + 0.0})});
    return ticks;
}

} // namespace

double NiceStep(double range, int nMaxTicks)
{
    const double rough = range / (nMaxTicks - 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

std::vector<double> NiceTicks(double first, double last, int nMaxTicks)
{
    std::vector<double> ticks;
    const double range = last - first;
    if (!std::isfinite(range) || range <= 0 || nMaxTicks < 2)
        return ticks;
    const double step = NiceStep(range, nMaxTicks);
    for (double steps = std::ceil(first / step); steps * step <= last + std::fabs(last) * 1e-12 && ticks.size() < 64;
         steps += 1)
        ticks.push_back(steps * step);
    return ticks;
}

ShiftChart ComputeShiftGears(const GearSettings& settings)
{
    ShiftChart chart;
    const double rpm = settings.m_fRpm;
    if (!std::isfinite(rpm) || rpm == 0)
        return chart;

    std::vector<GearValue> fitted;
    for (std::size_t i = 0; i < kForwardGears.size(); ++i) {
        const std::optional<double> speed = ComputeGearSpeed(settings, settings[kForwardGears[i]], false);
        if (!speed || !std::isfinite(*speed) || *speed == 0)
            continue;
        chart.gears.push_back({static_cast<int>(i) + 1, *speed});
        fitted.push_back(kForwardGears[i]);
    }
    if (chart.gears.empty())
        return chart;
    chart.rpm = rpm;

    for (std::size_t i = 0; i + 1 < chart.gears.size(); ++i) {
        const double ratio = settings[fitted[i]];
        const double nextRatio = settings[fitted[i + 1]];
        chart.teeth.push_back(
            {chart.gears[i].nGear, chart.gears[i + 1].nGear, chart.gears[i].mph, rpm, rpm * nextRatio / ratio});
    }
    return chart;
}

ShiftChart ComputeShiftChart(const GearSettings& settings, const GearSettings* pAlso)
{
    ShiftChart chart = ComputeShiftGears(settings);
    const ShiftChart also = pAlso != nullptr ? ComputeShiftGears(*pAlso) : ShiftChart{};
    if (chart.gears.empty() && also.gears.empty())
        return chart;
    double rpmLow = 0, rpmHigh = 0;
    for (const ShiftChart* pChart : {static_cast<const ShiftChart*>(&chart), &also}) {
        if (pChart->gears.empty())
            continue;
        rpmLow = std::min(rpmLow, pChart->rpm);
        rpmHigh = std::max(rpmHigh, pChart->rpm);
        for (const ShiftChartGear& gear : pChart->gears) {
            chart.mphMin = std::min(chart.mphMin, gear.mph);
            chart.mphMax = std::max(chart.mphMax, gear.mph);
        }
    }
    // Room to the next round speed, so the fastest gear's line ends inside the frame.
    const double mphStep = NiceStep(chart.mphMax - chart.mphMin, kMaxTicks);
    if (std::isfinite(mphStep) && mphStep > 0) {
        chart.mphMin = std::floor(chart.mphMin / mphStep) * mphStep;
        chart.mphMax = std::ceil(chart.mphMax / mphStep + 1e-9) * mphStep;
    }
    chart.mphMin = std::max(chart.mphMin, -kChartMphLimit);
    chart.mphMax = std::min(chart.mphMax, kChartMphLimit);
    chart.rpmMin = std::clamp(rpmLow, -kChartRpmLimit, 0.0);
    chart.rpmMax = std::clamp(rpmHigh, 0.0, kChartRpmLimit);

    chart.mphTicks = Labelled(NiceTicks(chart.mphMin, chart.mphMax, kMaxTicks), 1.0);
    chart.kmhTicks = Labelled(
        NiceTicks(chart.mphMin * kKilometresPerMile, chart.mphMax * kKilometresPerMile, kMaxTicks), kKilometresPerMile);
    chart.rpmTicks = Labelled(NiceTicks(chart.rpmMin, chart.rpmMax, kMaxTicks), 1.0);
    return chart;
}
