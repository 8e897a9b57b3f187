#include "calc/gearreport.h"

#include <cmath>

#include "calc/shiftchart.h"
#include "numtext/asciitext.h"
#include "numtext/numtext.h"

namespace {

constexpr float kReferenceRpm = 1000.0F;
constexpr double kPercentPerWhole = 100.0;
constexpr double kTrueSpeedMph = 60.0;

struct SpeedUnitWord
{
    std::string_view strSuffix; // lower case
    CruiseSpeed::Unit unit;
};

constexpr std::array<SpeedUnitWord, 4> kSpeedUnitWords{{
    {"km/h", CruiseSpeed::Unit::Kmh},
    {"kmh", CruiseSpeed::Unit::Kmh},
    {"kph", CruiseSpeed::Unit::Kmh},
    {"mph", CruiseSpeed::Unit::Mph},
}};

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

std::optional<double> SpeedOf(const GearSettings& settings, GearValue gear)
{
    return ComputeGearSpeed(settings, settings[gear], gear == GearValue::Reverse);
}

} // namespace

std::string Figure::Text() const
{
    if (!value)
        return "N/A";
    // Adding +0.0 turns -0.0 into 0.0, as FormatSpeedText does.
    switch (kind) {
    case FigureKind::Ratio:
        return CrtFormat("%.3f", {*value + 0.0});
    case FigureKind::Speed:
        return FormatSpeedText(value);
    case FigureKind::Rpm:
        return CrtFormat("%.0f", {*value + 0.0});
    case FigureKind::Percent:
        return CrtFormat("%+.1f%%", {*value + 0.0});
    case FigureKind::Inches:
        return CrtFormat("%.2f", {*value + 0.0});
    }
    return "N/A";
}

std::string Figure::NumberText() const
{
    if (!value)
        return {};
    switch (kind) {
    case FigureKind::Ratio:
        return CrtFormat("%.3f", {*value + 0.0});
    case FigureKind::Speed:
    case FigureKind::Percent:
        return CrtFormat("%.1f", {*value + 0.0});
    case FigureKind::Rpm:
        return CrtFormat("%.0f", {*value + 0.0});
    case FigureKind::Inches:
        return CrtFormat("%.2f", {*value + 0.0});
    }
    return {};
}

Figure MakeFigure(std::optional<double> value, FigureKind kind)
{
    if (value && !std::isfinite(*value))
        value.reset();
    return {value, kind};
}

std::string_view GearName(GearValue gear)
{
    switch (gear) {
    case GearValue::Gear1:
        return "1st";
    case GearValue::Gear2:
        return "2nd";
    case GearValue::Gear3:
        return "3rd";
    case GearValue::Gear4:
        return "4th";
    case GearValue::Gear5:
        return "5th";
    case GearValue::Gear6:
        return "6th";
    case GearValue::Reverse:
        return "Reverse";
    default:
        return {};
    }
}

std::string_view GearName(int nForwardGear)
{
    if (nForwardGear < 1 || nForwardGear > static_cast<int>(kForwardGears.size()))
        return {};
    return GearName(kForwardGears[static_cast<std::size_t>(nForwardGear - 1)]);
}

std::string TireText(double inches, Units units)
{
    if (units == Units::Metric)
        return CrtFormat("%.1f", {inches * kMillimetresPerInch + 0.0}) + " mm";
    return MakeFigure(inches, FigureKind::Inches).Text() + " in";
}

std::string DescribeSetup(const GearSettings& settings, Units units)
{
    return MakeFigure(settings.m_fRpm, FigureKind::Rpm).Text() + " RPM, rear-end " +
           MakeFigure(settings.m_fRearEnd, FigureKind::Ratio).Text() + ", tire " + TireText(settings.m_fTireOD, units);
}

double CruiseSpeed::Mph() const
{
    return unit == Unit::Kmh ? value / kKilometresPerMile : value;
}

std::string CruiseSpeed::Text() const
{
    std::string text = CrtFormat("%.1f", {value + 0.0});
    if (text.ends_with(".0"))
        text.resize(text.size() - 2);
    return text + " " + std::string(UnitText());
}

std::string_view CruiseSpeed::UnitText() const
{
    return unit == Unit::Kmh ? "km/h" : "MPH";
}

std::optional<CruiseSpeed> ParseCruiseSpeed(std::string_view text, CruiseSpeed::Unit bareUnit)
{
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    CruiseSpeed cruise{0, bareUnit};
    for (const SpeedUnitWord& word : kSpeedUnitWords) {
        if (EndsWithNoCase(text, word.strSuffix)) {
            text.remove_suffix(word.strSuffix.size());
            cruise.unit = word.unit;
            break;
        }
    }
    const std::optional<double> speed = ParseFloatText(text);
    const double maximum = cruise.unit == CruiseSpeed::Unit::Kmh ? kMaxCruiseKmh : kMaxCruiseMph;
    if (!speed || !(*speed > 0 && *speed <= maximum))
        return std::nullopt;
    cruise.value = *speed;
    return cruise;
}

std::optional<double> ComputeMphPer1000Rpm(const GearSettings& settings, GearValue gear)
{
    GearSettings atReference = settings;
    atReference.m_fRpm = kReferenceRpm;
    return SpeedOf(atReference, gear);
}

std::optional<double> ComputeRpmAtSpeed(const GearSettings& settings, GearValue gear, double mph)
{
    if (gear == GearValue::Reverse)
        return std::nullopt;
    const std::optional<double> mphPer1000 = ComputeMphPer1000Rpm(settings, gear);
    if (!mphPer1000)
        return std::nullopt;
    const double rpm = mph / *mphPer1000 * kReferenceRpm;
    return std::isfinite(rpm) ? std::optional(rpm) : std::nullopt;
}

std::optional<double> MphToKmh(std::optional<double> mph)
{
    if (!mph)
        return std::nullopt;
    return *mph * kKilometresPerMile;
}

std::optional<double> ComputeSpeedDifference(const GearSettings& current, const GearSettings& setupB, GearValue gear)
{
    const std::optional<double> now = SpeedOf(current, gear);
    const std::optional<double> before = SpeedOf(setupB, gear);
    if (!now || !before)
        return std::nullopt;
    const double difference = (*now - *before) / *before * kPercentPerWhole;
    return std::isfinite(difference) ? std::optional(difference) : std::nullopt;
}

std::optional<double> ComputeSpeedometerReading(const GearSettings& current, const GearSettings& setupB)
{
    if (current.m_fRearEnd == 0.0F || current.m_fTireOD == 0.0F || setupB.m_fRearEnd == 0.0F ||
        setupB.m_fTireOD == 0.0F)
        return std::nullopt;
    const double reading = kTrueSpeedMph * (double{current.m_fRearEnd} / double{setupB.m_fRearEnd}) *
                           (double{setupB.m_fTireOD} / double{current.m_fTireOD});
    return std::isfinite(reading) ? std::optional(reading) : std::nullopt;
}

std::vector<ShiftDrop> ComputeShiftDrops(const GearSettings& settings)
{
    std::vector<ShiftDrop> drops;
    for (const ShiftChartTooth& tooth : ComputeShiftGears(settings).teeth)
        drops.push_back({tooth.nFromGear, tooth.nToGear, MakeFigure(tooth.rpmTop, FigureKind::Rpm),
                         MakeFigure(tooth.rpmBottom, FigureKind::Rpm),
                         MakeFigure(tooth.rpmTop - tooth.rpmBottom, FigureKind::Rpm)});
    return drops;
}

std::string ShiftDropText(const ShiftDrop& drop)
{
    if (!drop.rpmAfter.value || !drop.drop.value)
        return "N/A";
    return drop.rpmAfter.Text() + " (" + CrtFormat("%+.0f", {-*drop.drop.value + 0.0}) + ")";
}

std::optional<double> ParseRedline(std::string_view text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (EndsWithNoCase(text, "rpm"))
        text.remove_suffix(3);
    const std::optional<double> rpm = ParseFloatText(text);
    if (!rpm || !(*rpm > 0 && *rpm <= kMaxRedlineRpm))
        return std::nullopt;
    return rpm;
}

GearReport BuildGearReport(const GearSettings& settings, std::optional<CruiseSpeed> cruise,
                           const std::optional<GearSettings>& setupB, std::optional<double> redlineRpm)
{
    GearReport report{settings, cruise, setupB, redlineRpm, Units::Us, {}, {}, ComputeShiftDrops(settings), {}};
    for (std::size_t i = 0; i < kSpeedTableGears.size(); ++i) {
        const GearValue gear = kSpeedTableGears[i];
        const double ratio = settings[gear];
        const std::optional<double> mph = SpeedOf(settings, gear);
        GearReportRow& row = report.rows[i];
        row.gear = gear;
        row.ratio = MakeFigure(ratio, FigureKind::Ratio);
        row.overallRatio = MakeFigure(ratio * double{settings.m_fRearEnd}, FigureKind::Ratio);
        row.mph = MakeFigure(mph, FigureKind::Speed);
        row.kmh = MakeFigure(MphToKmh(mph), FigureKind::Speed);
        row.mphPer1000Rpm = MakeFigure(ComputeMphPer1000Rpm(settings, gear), FigureKind::Speed);
        row.rpmAtCruise =
            MakeFigure(cruise ? ComputeRpmAtSpeed(settings, gear, cruise->Mph()) : std::nullopt, FigureKind::Rpm);
        row.differenceToB =
            MakeFigure(setupB ? ComputeSpeedDifference(settings, *setupB, gear) : std::nullopt, FigureKind::Percent);
        std::optional<double> mphAtRedline;
        if (redlineRpm && gear != GearValue::Reverse) {
            if (const std::optional<double> mphPer1000 = ComputeMphPer1000Rpm(settings, gear))
                mphAtRedline = *mphPer1000 * *redlineRpm / kReferenceRpm;
        }
        row.mphAtRedline = MakeFigure(mphAtRedline, FigureKind::Speed);
        row.kmhAtRedline = MakeFigure(MphToKmh(mphAtRedline), FigureKind::Speed);
        row.bCruiseAboveRedline = redlineRpm && row.rpmAtCruise.value && *row.rpmAtCruise.value > *redlineRpm;
    }
    report.speedometerAt60 =
        MakeFigure(setupB ? ComputeSpeedometerReading(settings, *setupB) : std::nullopt, FigureKind::Speed);
    return report;
}
