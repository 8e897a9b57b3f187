#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "calc/gearreport.h"
#include "calc/roadspeed.h"
#include "calc/shiftchart.h"
#include "calc/tirediameter.h"
#include "calc/tiresize.h"
#include "calc/workbench.h"
#include "numtext/numtext.h"
#include "tests/support/samplerecord.h"

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// A close-ratio box at 8000 RPM, members in declaration order.
constexpr GearSettings kCloseRatio = {8000.0F, 2.36F, 3.92F, 26.0F, 1.54F, 1.21F, 1.0F, 0.87F};

GearSettings With(GearValue value, float fValue, GearSettings settings = SampleSettings())
{
    settings[value] = fValue;
    return settings;
}

// The sample with one value changed; values held after a failed range test are computed as they stand.
TEST(RoadSpeeds, SampleRoundingTireSizesAndCalibration)
{
    const SpeedTable none = {"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"};
    const std::vector<std::tuple<GearValue, float, SpeedTable>> rows = {
        {GearValue::Rpm, 0.0F, {" 0.0", " 0.0", " 0.0", " 0.0", " 0.0", "N/A", " 0.0"}}, // no minus sign
        {GearValue::Rpm, kInfinity, none},
        {GearValue::RearEnd, 0.0F, none},
        {GearValue::TireOD, 0.0F, none},
        {GearValue::Gear3, 0.0F, {"12.4", "16.6", "N/A", "33.2", "44.2", "N/A", "-11.4"}},
        {GearValue::Gear1, -2.68F, {"-12.4", "16.6", "25.5", "33.2", "44.2", "N/A", "-11.4"}},
        {GearValue::Gear2, kInfinity, {"12.4", " 0.0", "25.5", "33.2", "44.2", "N/A", "-11.4"}}, // 1500 / inf
    };
    for (const auto& [value, fValue, expected] : rows)
        EXPECT_EQ(BuildSpeedTable(With(value, fValue)), expected) << fValue;
    // Each row rounds the other way with exact decimal constants or in single precision; wide speeds are not cut.
    const std::vector<std::tuple<float, float, float, float, const char*>> roundings = {
        {500, 0.8F, 3.55F, 26.4F, "13.8"},  {550, 2.0F, 3.55F, 26.4F, " 6.1"},
        {900, 1.0F, 3.55F, 27.4F, "20.6"},  {2100, 1.0F, 3.08F, 26.4F, "53.3"},
        {6150, 1.0F, 4.1F, 26.4F, "117.2"}, {15000, 0.01F, 0.01F, 100, "44375002.9"},
    };
    for (const auto& [fRpm, fRatio, fRearEnd, fTire, pszExpected] : roundings) {
        const GearSettings settings = {.m_fRpm = fRpm, .m_fRearEnd = fRearEnd, .m_fTireOD = fTire};
        EXPECT_EQ(FormatSpeedText(ComputeGearSpeed(settings, fRatio, false)), pszExpected)
            << fRpm << " rpm, " << fRatio;
    }
    // A flotation size may not exceed what the tire field takes.
    using enum TireNotation;
    const std::vector<std::tuple<const char*, TireNotation, const char*>> tires = {
        {"P225/70R15", Metric, "27.40 in, 696 mm, 736/mile"},
        {"205/55R16", Metric, "24.88 in, 632 mm, 811/mile"},
        {"265/70R17", Metric, "31.61 in, 803 mm, 638/mile"},
        {"285/70R17", Metric, "32.71 in, 831 mm, 617/mile"},
        {"225/70-15", Metric, "27.40 in, 696 mm, 736/mile"},
        {"205/55ZR16 91W", Metric, "24.88 in, 632 mm, 811/mile"},
        {" p 225 / 70 r 15 ", Metric, "27.40 in, 696 mm, 736/mile"},
        {"195/70R15C 104/102R", Metric, "25.75 in, 654 mm, 783/mile"},
        {"245/40ZR18 (97Y) XL", Metric, "25.72 in, 653 mm, 784/mile"},
        {"245/40ZR18 (Y)", Metric, "25.72 in, 653 mm, 784/mile"},
        {"LT265/75R16 123/120S", LtMetric, "31.65 in, 804 mm, 637/mile"},
        {"33x12.50R15", Flotation, "33.00 in, 838 mm, 611/mile"},
        {"33X12.50-15LT", Flotation, "33.00 in, 838 mm, 611/mile"},
        {"66x43.00-25", Flotation, "66.00 in, 1676 mm, 306/mile"},
        {"37-622", IsoBicycle, "27.40 in, 696 mm, 736/mile"}};
    for (const auto& [pszText, notation, pszDescription] : tires) {
        const std::optional<TireSize> size = ParseTireSize(pszText);
        ASSERT_TRUE(size) << pszText;
        EXPECT_EQ(size->notation, notation) << pszText;
        const TireSizeTexts texts = FormatTireSizeTexts(*size);
        EXPECT_EQ(texts.strInches + ", " + texts.strMillimetres + ", " + texts.strRevsPerMile, pszDescription)
            << pszText;
    }
    for (const char* pszText : {"",
                                "P225/70",
                                "225/70R",
                                "225R15",
                                "225/70X15",
                                "225/70R15 junk",
                                "225/70R15.",
                                "0/70R15",
                                "225/0R15",
                                "225/70R0",
                                "225/70R51",
                                "P33x12.50R15",
                                "33x12.50R40",
                                "33x12.5000R15",
                                "101x12.50R15",
                                "37-62",
                                "37-622 91W",
                                "0-622",
                                "205/55R16 1234V",
                                "205/55R16 91%",
                                "205/55R16 91[",
                                "LT265/75R16 123/1200S"}) {
        EXPECT_FALSE(ParseTireSize(pszText)) << '"' << pszText << '"';
    }
    // Width, aspect and rim as the tire dialog's fields hold them; any of them 0 gives no diameter.
    const std::vector<std::tuple<int, int, float, const char*>> diameters = {
        {225, 70, 15.0F, "27.4"}, {225, 301, 15.0F, "68.3"}, {0, 70, 15.0F, "N/A"},
        {225, 0, 15.0F, "N/A"},   {225, 70, 0.0F, "N/A"},    {225, 70, kInfinity, "N/A"},
    };
    for (const auto& [nWidth, nAspect, fRim, pszText] : diameters)
        EXPECT_EQ(ComputeTireDiameter(nWidth, nAspect, fRim).strText, pszText)
            << nWidth << '/' << nAspect << 'R' << fRim;
    // The tire field that makes the close-ratio box's speeds exact for a tire of 925 revs per mile.
    const std::string strField = FormatTireFieldText(ComputeCalibratedTireDiameter(925).value_or(0));
    EXPECT_EQ(strField, "21.93");
    EXPECT_EQ(BuildSpeedTable(With(GearValue::TireOD, NarrowToFloat(*ParseFloatText(strField)), kCloseRatio)),
              (SpeedTable{"56.1", "86.0", "109.4", "132.4", "152.2", "N/A", "N/A"}));
    for (const double revs : {0.0, -925.0, double{kInfinity}, std::nan(""), 1e-320})
        EXPECT_FALSE(ComputeCalibratedTireDiameter(revs)) << revs;
}

// Against setup B: each gear's speed difference (none in sixth) and B's speedometer at a true 60 MPH.
TEST(GearReport, CruiseSpeedComparisonShiftDropsAndShiftChart)
{
    const std::vector<std::tuple<GearSettings, GearSettings, const char*, const char*>> rows = {
        {With(GearValue::TireOD, 28.0F), SampleSettings(), "+6.1%", "56.6"},
        {With(GearValue::RearEnd, 4.10F), SampleSettings(), "-13.9%", "69.7"},
        {With(GearValue::Rpm, 3000.0F), SampleSettings(), "+100.0%", "60.0"},
        {With(GearValue::TireOD, 0.0F), SampleSettings(), "N/A", "N/A"},
        {SampleSettings(), With(GearValue::RearEnd, 0.0F), "N/A", "N/A"},
    };
    for (const auto& [current, setupB, pszDifference, pszSpeedometer] : rows) {
        const GearReport report = BuildGearReport(current, std::nullopt, setupB);
        for (std::size_t i = 0; i < report.rows.size(); ++i)
            EXPECT_EQ(report.rows[i].differenceToB.Text(), i == 5 ? "N/A" : pszDifference) << i;
        EXPECT_EQ(report.speedometerAt60.Text(), pszSpeedometer) << pszDifference;
    }
    // From and to gear, RPM before, after and its change: close ratios, a gear of 0 skipped, a rise, no tire.
    GearSettings rise = SampleSettings();
    rise.m_fRpm = 6000.0F;
    rise.m_fGear1 = 1.0F;
    const std::vector<std::pair<GearSettings, std::string>> drops = {
        {kCloseRatio, "1 2 8000 5220 (-2780)|2 3 8000 6286 (-1714)|3 4 8000 6612 (-1388)|4 5 8000 6960 (-1040)|"},
        {With(GearValue::Gear3, 0.0F), "1 2 1500 1119 (-381)|2 4 1500 750 (-750)|4 5 1500 1125 (-375)|"},
        {rise, "1 2 6000 12000 (+6000)|2 3 6000 3900 (-2100)|3 4 6000 4615 (-1385)|4 5 6000 4500 (-1500)|"},
        {With(GearValue::TireOD, 0.0F), ""},
    };
    for (const auto& [settings, expected] : drops) {
        std::string text;
        for (const ShiftDrop& drop : ComputeShiftDrops(settings))
            text += std::to_string(drop.nFromGear) + ' ' + std::to_string(drop.nToGear) + ' ' + drop.rpmBefore.Text() +
                    ' ' + ShiftDropText(drop) + '|';
        EXPECT_EQ(text, expected);
    }
    // MPH unless km/h, kmh or kph follows, in any case; kept in the unit typed; above 0 and at most 500 MPH or
    // 800 km/h.
    const std::vector<std::pair<const char*, const char*>> cruises = {
        {"70", "70 MPH 70.000"},
        {" 70 mph ", "70 MPH 70.000"},
        {"70MPH", "70 MPH 70.000"},
        {"110 km/h", "110 km/h 68.351"},
        {"110KMH", "110 km/h 68.351"},
        {"110.5 kph", "110.5 km/h 68.662"},
        {"500", "500 MPH 500.000"},
        {"800 km/h", "800 km/h 497.097"},
        {"0", ""},
        {"500.1", ""},
        {"800.1 km/h", ""},
        {"", ""},
        {"mph", ""},
        {"70 km", ""},
        {"-5", ""},
        {"1e999", ""},
        {"7O", ""},
        {"70 mph mph", ""},
    };
    for (const auto& [pszText, pszExpected] : cruises) {
        const std::optional<CruiseSpeed> cruise = ParseCruiseSpeed(pszText);
        EXPECT_EQ(cruise ? cruise->Text() + CrtFormat(" %.3f", {cruise->Mph()}) : "", pszExpected) << pszText;
    }
    // The sample's teeth at each gear's top speed; round axes with room to the next round speed, in MPH, km/h, RPM.
    const ShiftChart chart = ComputeShiftChart(SampleSettings());
    std::string text;
    for (const ShiftChartTooth& tooth : chart.teeth)
        text += FormatSpeedText(tooth.mph) + ' ';
    for (const auto* pTicks : {&chart.mphTicks, &chart.kmhTicks, &chart.rpmTicks}) {
        text += '|';
        for (const ShiftChartTick& tick : *pTicks)
            text += tick.text + ' ';
    }
    EXPECT_EQ(text, "12.4 16.6 25.5 33.2 |0 10 20 30 40 50 |0 20 40 60 80 |0 500 1000 1500 ");
    EXPECT_EQ(std::tuple(chart.rpmMin, chart.rpmMax, chart.mphMin, chart.mphMax), std::tuple(0.0, 1500.0, 0.0, 50.0));
    EXPECT_NEAR(chart.kmhTicks[1].value, 20 / kKilometresPerMile, 1e-9);
    // A faster B widens the speed axis so that its sawtooth stays inside the frame.
    const GearSettings bigTire = With(GearValue::TireOD, 31.2F);
    EXPECT_EQ(ComputeShiftChart(SampleSettings(), &bigTire).mphMax, 60.0);
    // No speed, no chart; values held after a failed range test keep the axes finite and bounded.
    const std::vector<std::tuple<GearValue, float, bool>> heldValues = {
        {GearValue::Rpm, 0, true},         {GearValue::RearEnd, 0, true},      {GearValue::TireOD, 0, true},
        {GearValue::Rpm, kInfinity, true}, {GearValue::Rpm, 1e30F, false},     {GearValue::Gear1, 1e-30F, false},
        {GearValue::Gear2, -2.0F, false},  {GearValue::Rpm, -20000.0F, false}, {GearValue::TireOD, 3e38F, false},
    };
    for (const auto& [value, fValue, bEmpty] : heldValues) {
        const ShiftChart held = ComputeShiftChart(With(value, fValue));
        EXPECT_EQ(std::pair(held.IsEmpty(), held.rpmTicks.empty()), std::pair(bEmpty, bEmpty)) << fValue;
        EXPECT_TRUE(bEmpty || (-kChartMphLimit <= held.mphMin && held.mphMin < held.mphMax &&
                               held.mphMax <= kChartMphLimit && -kChartRpmLimit <= held.rpmMin &&
                               held.rpmMin < held.rpmMax && held.rpmMax <= kChartRpmLimit && held.mphTicks.size() <= 8))
            << fValue;
    }
    const std::vector<std::tuple<double, double, int, std::vector<double>>> ticks = {
        {-12.4, 44.25, 8, {-10, 0, 10, 20, 30, 40}},
        {0, 1, 6, {0, 0.2, 0.4, 0.6000000000000001, 0.8, 1}},
        {5, 5, 6, {}},
        {0, std::numeric_limits<double>::infinity(), 6, {}}};
    for (const auto& [first, last, nMaxTicks, expected] : ticks)
        EXPECT_EQ(NiceTicks(first, last, nMaxTicks), expected) << first << " to " << last;
}

// A redline as typed, with or without its unit, anything else told; B's tire in millimetres for metric users.
TEST(GearReport, RedlineTextsAndMetricSetupB)
{
    const std::vector<std::pair<const char*, std::optional<double>>> redlines = {
        {" 6000 rpm", 6000}, {"30000", 30000}, {"0", {}},    {"-1", {}},
        {"30001", {}},       {"6000 mph", {}}, {"lots", {}}, {"1e999", {}},
    };
    for (const auto& [pszText, expected] : redlines) {
        CWorkbench workbench;
        workbench.SetRedlineText(pszText);
        EXPECT_EQ(workbench.Report(SampleSettings()).redlineRpm, expected) << pszText;
        EXPECT_EQ(workbench.Problems().empty(), expected.has_value()) << pszText;
    }
    CWorkbench metric;
    metric.SetSetupB(SampleSettings(), "held");
    metric.SetUnits(Units::Metric);
    EXPECT_EQ(metric.SetupBStatus(), "B (held): 1500 RPM, rear-end 3.530, tire 670.6 mm");
}

} // namespace
