#include "calc/performance.h"

#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "calc/calculatorvehicle.h"
#include "numtext/numtext.h"
#include "tests/support/vehicles.h"

namespace {

using Change = std::function<void(Vehicle&)>;

// Its top speeds per gear (by bisection on the definition) and the vehicle's.
constexpr const char* kSportsCarTopSpeeds =
    "53.788 redline|80.674 redline|120.398 redline|152.104 redline|197.321 "
    "redline|253.558 redline|261.875 road load|241.723 road load|top 261.875 7 road load";

// Gears 2 and 1 on a tire 1 m round (1609.344 revs per mile), redline 6000, 1000 kg: the second turns at half the
// first's RPM, so it out-pulls the first where the torque at half the RPM is more than twice the torque.
Vehicle TwoGears(std::vector<TorquePoint> points, std::vector<double> forward = {2, 1})
{
    return {"",
            {std::move(forward), std::nullopt, {1}},
            {TireKind::RevsPerMile, 1609.344, ""},
            {6000, {TorqueUnit::NewtonMetres, std::move(points)}},
            {1000}};
}

// RPM, where, RPM after, km/h, force before and after.
std::string Describe(const Upshift& upshift)
{
    return CrtFormat("%.3f %s %.3f %.3f %.2f ",
                     {upshift.rpm, std::string_view(upshift.bAtRedline ? "redline" : "below"), upshift.rpmAfter,
                      upshift.speedKmh, upshift.wheelForceBeforeN}) +
           (upshift.wheelForceAfterN ? CrtFormat("%.2f", {*upshift.wheelForceAfterN}) : "none");
}

std::string TopSpeeds(const PerformanceAnalysis& analysis)
{
    std::string text;
    for (const GearPerformance& gear : analysis.gears)
        text += (gear.topSpeedKmh ? CrtFormat("%.3f ", {*gear.topSpeedKmh}) : "none") +
                std::string(TopSpeedLimitName(gear.topSpeedLimit)) + "|";
    if (const std::optional<VehicleTopSpeed>& top = analysis.topSpeed)
        text += CrtFormat("top %.3f %d ", {top->kmh, top->nGear}) + std::string(TopSpeedLimitName(top->limit));
    return text;
}

// Published: output torque (engine torque x gear ratio) shifting 2nd to 3rd at 4000 RPM 667 lb-ft before, 444.3 after
// (2609 RPM after); at 5000, 644 and 463.8 (3261 after); every upshift at the redline. A 24 in tire has a radius of one
// foot and the efficiency is 1, so force x 0.3048 m / 1.35582 N·m is the output torque in lb-ft.
TEST(Performance, PublishedShiftPointsInPoundFeet)
{
    using Row = std::tuple<double, double, double, double>;
    for (const auto& [redline, before, after, rpmAfter] :
         std::vector<Row>{{5000, 644, 463.8, 3261}, {4000, 667, 444.3, 2609}}) {
        Vehicle vehicle = TwoGears({{2600, 296}, {3300, 310}, {4000, 290}, {5000, 280}}, {4, 2.3, 1.5, 1.2, 1.0, 0.85});
        vehicle.engine = {redline, {TorqueUnit::PoundFeet, vehicle.engine.torque.points}};
        vehicle.tire = {TireKind::DiameterIn, 24, ""};
        vehicle.road.efficiency = 1;
        const PerformanceAnalysis analysis = AnalysePerformance(vehicle).value();
        for (const GearPerformance& gear : analysis.gears)
            EXPECT_TRUE(gear.nGear == 6 ? !gear.upshift : gear.upshift->bAtRedline && gear.upshift->rpm == redline);
        const Upshift& second = analysis.gears[1].upshift.value();
        const double lbFtPerNewton = 0.3048 / 1.3558179483314004;
        EXPECT_EQ(CrtFormat("%.1f %.1f %.0f", {second.wheelForceBeforeN * lbFtPerNewton,
                                               second.wheelForceAfterN.value_or(0) * lbFtPerNewton, second.rpmAfter}),
                  CrtFormat("%.1f %.1f %.0f", {before, after, rpmAfter}));
    }
}

// Published speeds at 6500 RPM and every upshift at 6500; by hand: the RPM after (6500 x next / this ratio), the
// forces (torque x ratio x 3.31 x 0.9 / 0.3425 m).
TEST(Performance, PublishedSportsCar)
{
    const std::vector<double> published = {53.8, 80.7, 120.4, 152.1, 197.3, 253.6, 302.2, 380.1};
    const std::vector<std::string> upshifts = {
        "6500.000 redline 4333.793 53.788 15047.54 12301.75", "6500.000 redline 4355.393 80.674 10032.76 8242.91",
        "6500.000 redline 5145.062 120.398 6722.55 6408.28",  "6500.000 redline 5010.498 152.104 5321.22 5023.02",
        "6500.000 redline 5058.366 197.321 4101.84 3885.92",  "6500.000 redline 5453.500 253.558 3192.10 3100.74",
        "6500.000 redline 5167.461 302.214 2678.17 2556.89"};
    const Vehicle vehicle = SportsCar();
    const PerformanceAnalysis analysis = AnalysePerformance(vehicle).value();
    ASSERT_EQ(analysis.gears.size(), published.size());
    for (std::size_t i = 0; i < published.size(); ++i) {
        const GearPerformance& gear = analysis.gears[i];
        EXPECT_EQ(std::tuple(gear.nGear, gear.ratio, gear.finalDrive),
                  std::tuple(int(i) + 1, vehicle.gearbox.forward[i], 3.31));
        EXPECT_NEAR(gear.overallRatio, vehicle.gearbox.forward[i] * 3.31, 1e-12);
        EXPECT_NEAR(gear.speedAtRedlineKmh, published[i], 0.05) << i;
        EXPECT_EQ(gear.upshift ? Describe(*gear.upshift) : "", i < upshifts.size() ? upshifts[i] : "");
    }
    EXPECT_EQ(TopSpeeds(analysis), kSportsCarTopSpeeds);
}

// The same curve in every unit (power at each point's RPM by hand, four decimals): published, 18451 N in 1st at 3500
// RPM (28.963 km/h); the top speeds as above.
TEST(Performance, UnitsGiveTheSameFigures)
{
    using enum TorqueUnit;
    const std::vector<std::pair<TorqueUnit, std::vector<double>>> rows = {
        {NewtonMetres, {306, 385, 439, 450, 450, 367}},
        {PoundFeet, {225.694, 283.9614, 323.7898, 331.903, 331.903, 270.6853}},
        {Kilowatts, {32.0442, 81.4406, 137.4562, 164.9336, 235.6194, 249.809}},
        {Horsepower, {42.972, 109.2136, 184.3318, 221.1796, 315.9708, 334.9993}},
        {Ps, {43.568, 110.7281, 186.8881, 224.2469, 320.3528, 339.6451}},
    };
    for (const auto& [unit, values] : rows) {
        Vehicle vehicle = SportsCar();
        vehicle.engine.torque.unit = unit;
        for (std::size_t i = 0; i < values.size(); ++i)
            vehicle.engine.torque.points[i].value = values[i];
        const std::optional<CPerformanceModel> model = CPerformanceModel::Build(vehicle);
        const ForcePoint at3500 = model.value().ForceCurve(1).at(3);
        EXPECT_EQ(CrtFormat("%.1f %.4f", {at3500.newtons, at3500.kmh}), "18450.7 28.9629") << int(unit);
        EXPECT_EQ(TopSpeeds(model->Analyse()), kSportsCarTopSpeeds);
    }
}

// The usable range ends at the lower of the redline and the last point: a redline between points ends the curve
// there (394.667 N·m at 6000 RPM, by hand); one past the last point moves only the speed at the redline.
TEST(Performance, UsableRangeEndsAtRedlineOrLastPoint)
{
    const std::vector<std::pair<double, std::string>> rows = {
        {6000, "6 8.2751 49.6507 16181.92 49.6507 6000 redline"},
        {7000, "6 8.2751 53.7883 15047.54 57.9258 6500 redline"},
        {6500, "6 8.2751 53.7883 15047.54 53.7883 6500 redline"},
    };
    for (const auto& [redline, expected] : rows) {
        Vehicle vehicle = SportsCar();
        vehicle.engine.redlineRpm = redline;
        const std::optional<CPerformanceModel> model = CPerformanceModel::Build(vehicle);
        const std::vector<ForcePoint> curve = model.value().ForceCurve(1);
        const GearPerformance first = model->Analyse().gears.front();
        EXPECT_EQ(CrtFormat("%d %.4f %.4f %.2f %.4f %.0f ",
                            {int(curve.size()), curve.front().kmh, curve.back().kmh, curve.back().newtons,
                             first.speedAtRedlineKmh, first.upshift->rpm}) +
                      (first.upshift->bAtRedline ? "redline" : "below"),
                  expected);
        EXPECT_TRUE(!model->TorqueAt(999.99) && !model->TorqueAt(std::min(redline, 6500.0) + 0.01)) << redline;
        EXPECT_EQ(model->TorqueAt(1000).value_or(0) + model->TorqueAt(1510).value_or(0), 306 + 345.5);
    }
}

// Crossings by hand; forces torque x ratio x 0.9 x 2 pi / circumference. Torque falling from 100 N·m at 5000 to 20 at
// 6000: 2 T(rpm) = T(rpm / 2) = 100 at 5625, on any tire and final drive (225/45R17: 634.3 mm). A dip at 2000 too: the
// crossing nearest the top, 1000 - 0.16 rpm = 0.03 rpm - 80 at 5684.21. A bend of the next curve within the piece: 380
// - 0.05 rpm = 1000 - 0.16 rpm at 5636.36. A touch at 4000 (2 x 50 = 100) does not stop the walk down to 3416.67.
// Equal at the redline: there; 49.95 N·m there: 5000 + 50 / 0.05005. The next gear wins from its curve's start (1510 x
// 1 / 1.51 rounds below 1000). A next gear off the curve at the redline, below or above it, has no force there.
TEST(Performance, Upshifts)
{
    using Points = std::vector<TorquePoint>;
    const Points dip = {{1000, 100}, {4000, 100}, {5000, 100}, {6000, 20}};
    const Points twoDips = {{1000, 100}, {1500, 100}, {2000, 40}, {3000, 100}, {5000, 100}, {6000, 20}};
    const Points bend = {{1000, 100}, {2800, 100}, {3000, 80}, {5000, 100}, {6000, 20}};
    const Points touch = {{1000, 100}, {3000, 100}, {3500, 40}, {4000, 50}, {4500, 40}, {6000, 20}};
    const Points falling = {{1000, 400}, {1510, 200}, {3000, 60}, {6000, 10}};
    const Points flat = {{2000, 200}, {4000, 200}, {6000, 200}};
    const std::vector<std::tuple<Change, Points, const char*>> rows = {
        {{}, dip, "5625.000 below 2812.500 168.750 565.49 565.49"},
        {[](Vehicle& v) { v.tire.kind = TireKind::DiameterIn, v.tire.value = 26.97, v.gearbox.finalDrives[0] = 3.31; },
         dip, "5625.000 below 2812.500 109.719 869.73 869.73"},
        {[](Vehicle& v) { v.tire.kind = TireKind::Size, v.tire.strSize = "225/45R17"; }, dip,
         "5625.000 below 2812.500 336.270 283.78 283.78"},
        {[](Vehicle& v) { v.tire.value = 807.61, v.gearbox.finalDrives[0] = 4.1; }, dip,
         "5625.000 below 2812.500 82.018 1163.48 1163.48"},
        {{}, twoDips, "5684.211 below 2842.105 170.526 511.91 511.91"},
        {{}, bend, "5636.364 below 2818.182 169.091 555.21 555.21"},
        {{}, touch, "3416.667 below 1708.333 102.500 565.49 565.49"},
        {{}, {{1000, 100}, {5000, 100}, {6000, 50}}, "6000.000 redline 3000.000 180.000 565.49 565.49"},
        {{}, {{1000, 100}, {5000, 100}, {6000, 49.95}}, "5999.001 below 2999.500 179.970 565.49 565.49"},
        {[](Vehicle& v) { v.gearbox.forward[0] = 1.51; }, falling, "1510.000 below 1000.000 60.000 1707.77 2261.95"},
        {[](Vehicle& v) { v.gearbox.forward[0] = 4; }, flat, "6000.000 redline 1500.000 90.000 4523.89 none"},
        {[](Vehicle& v) { v.gearbox.forward[0] = 1, v.gearbox.forward[1] = 2; }, flat,
         "6000.000 redline 12000.000 360.000 1130.97 none"},
    };
    for (const auto& [change, points, pszUpshift] : rows) {
        Vehicle vehicle = TwoGears(points);
        if (change)
            change(vehicle);
        EXPECT_EQ(Describe(AnalysePerformance(vehicle).value().gears.front().upshift.value()), pszUpshift);
    }
}

// Flat 200 N·m, a 2 m tire (804.672 revs per mile), overall 4, 3, 0.5, 1000 kg, CdA 0.6: force 200 x overall x 0.9 x
// pi, load 117.68 + 0.3675 v²: 1st to its redline (180 km/h), 2nd to sqrt((1696.46 - 117.68) / 0.3675) m/s, 0.5 never.
// A grade adds m·g·(sin - 0.012 (1 - cos)); at 15% 2nd stops in the lowest piece (1662 RPM). Pounds and square feet
// change nothing. A torque rising with the RPM beats the load between two crossings in one piece (4, Crr 0.1, 2 kg/m³,
// CdA 1: v² - 67.858 v + 980.665 = 0). Without drag: a flat force under the load never meets it, one falling to 0 meets
// it at 3500 + 2500 (200 - 117.68 / 3.6 pi) / 200 RPM, one falling to a load of 0 at the redline there. Ties: lower
// gear.
TEST(Performance, TopSpeeds)
{
    const std::vector<std::pair<Change, std::string>> rows = {
        {{}, "180.000 redline|235.958 road load|none|top 235.958 2 road load"},
        {[](Vehicle& v) { v.road.gradePercent = 10; }, "180.000 redline|145.894 road load|none|top 180.000 1 redline"},
        {[](Vehicle& v) { v.road.gradePercent = 15; },
         "156.086 road load|66.489 road load|none|top 156.086 1 road load"},
        {[](Vehicle& v) { v.gearbox.forward.resize(1), v.road.cdA = 0, v.engine.torque.points[2].value = 0; },
         "176.098 road load|top 176.098 1 road load"},
        {[](Vehicle& v) { v.road = {2204.6226218, MassUnit::Pounds, 1, 6.4583463, {}, AreaUnit::SquareFeet}; },
         "180.000 redline|235.958 road load|none|top 235.958 2 road load"},
        {[](Vehicle& v) {
             v.gearbox.forward = {4};
             v.engine.torque.points = {{1000, 50}, {1100, 55}, {6000, 300}};
             v.road = {1000, MassUnit::Kilograms, 0, 0, 1.0, AreaUnit::SquareMetres, 0.1, 0.9, 2.0};
         },
         "169.156 road load|top 169.156 1 road load"},
        {[](Vehicle& v) { v.gearbox.forward = {0.5}; }, "none|"},
        {[](Vehicle& v) { v.gearbox.forward = {0.5}, v.road.mass = 10000, v.road.cdA = 0; }, "none|"},
        {[](Vehicle& v) {
             v.gearbox.forward = {4};
             v.engine.torque.points.back().value = 0;
             v.road = {1000, MassUnit::Kilograms, 0, 0, 0.0, AreaUnit::SquareMetres, 0};
         },
         "180.000 redline|top 180.000 1 redline"},
        {[](Vehicle& v) { v.gearbox.forward[0] = 3; },
         "235.958 road load|235.958 road load|none|top 235.958 1 road load"},
    };
    for (const auto& [change, expected] : rows) {
        Vehicle vehicle = TwoGears({{1000, 200}, {3500, 200}, {6000, 200}}, {4, 3, 0.5});
        vehicle.tire = {TireKind::RevsPerMile, 804.672, ""};
        vehicle.road.cdA = 0.6;
        if (change)
            change(vehicle);
        EXPECT_EQ(TopSpeeds(AnalysePerformance(vehicle).value()), expected);
    }
    Vehicle vehicle = TwoGears({{1000, 200}, {3500, 200}, {6000, 200}});
    vehicle.road.cdA = 0.6;
    const std::optional<CPerformanceModel> model = CPerformanceModel::Build(vehicle);
    std::string curve;
    for (const ForcePoint& point : model.value().RoadLoadCurve(180, 3))
        curve += CrtFormat("%g %.4f|", {point.kmh, point.newtons});
    EXPECT_EQ(curve, "0 117.6798|90 347.3673|180 1036.4298|");
    EXPECT_EQ(model->RoadLoadCurve(100).size() * 10 + model->RoadLoadCurve(100, 1).size(), 1012U);
}

// The Hyundai D7UF1 dual-clutch box, its gears on two final drives: overall ratios from its maker's figures.
TEST(Performance, TwoFinalDrives)
{
    Vehicle vehicle = SportsCar();
    vehicle.gearbox = {
        {3.929, 2.318, 2.043, 1.07, 0.822, 0.884, 0.721}, -5.304, {4.294, 4.294, 3.174, 4.294, 4.294, 3.174, 3.174}};
    std::string overall;
    const PerformanceAnalysis analysis = AnalysePerformance(vehicle).value();
    for (const GearPerformance& gear : analysis.gears)
        overall += CrtFormat("%.4f/%g ", {gear.overallRatio, gear.finalDrive});
    EXPECT_EQ(overall, "16.8711/4.294 9.9535/4.294 6.4845/3.174 4.5946/4.294 3.5297/4.294 2.8058/3.174 2.2885/3.174 ");
}

// Each problem a sentence naming its field; the limits themselves are allowed. (The vehicle file's checks read the
// other reasons back, by their keys.)
TEST(Performance, Validation)
{
    const auto texts = [](const std::vector<VehicleProblem>& problems) {
        std::string text;
        for (const VehicleProblem& problem : problems)
            text += (text.empty() ? "" : "|") + problem.Text();
        return text;
    };
    const std::vector<double> ten(10, 1.0);
    const std::vector<std::tuple<Gearbox, bool, std::string>> gearboxes = {
        {{ten, {}, {3}}, true, ""},
        {{ten, -1, ten}, true, ""},
        {{{}, {}, {3}}, true, "Gearbox: give 1 to 10 forward ratios, not 0."},
        {{{4, 2, 0}, {}, {3}}, true, "Gearbox: a ratio must be a positive number (gear 3)."},
        {{{4}, 0, {3}}, true, "Gearbox: the reverse ratio must be a number other than 0."},
        {{{4}, INFINITY, {3}}, true, "Gearbox: the reverse ratio must be a number other than 0."},
        {{{4, 2}, {}, {3, 3, 3}}, true, "Gearbox: give one final drive or one per forward gear (2), not 3."},
        {{{4, 2}, {}, {}}, true, "Gearbox: give one final drive or one per forward gear (2), not 0."},
        {{{4, 2}, {}, {}}, false, ""},
        {{{4, 2}, {}, {3, -1}}, true, "Gearbox: a final drive must be a positive number (final drive 2)."},
    };
    for (const auto& [gearbox, bNeedFinalDrive, expected] : gearboxes)
        EXPECT_EQ(texts(ValidateGearbox(gearbox, bNeedFinalDrive)), expected);

    std::vector<TorquePoint> thousand;
    for (int i = 0; i < 1001; ++i)
        thousand.push_back({1000.0 + i, 100});
    using enum TorqueUnit;
    const std::vector<std::pair<TorqueCurve, std::string>> curves = {
        {{NewtonMetres, {thousand.begin(), thousand.end() - 1}}, ""},
        {{NewtonMetres, thousand}, "Torque curve: give 3 to 1000 points, not 1001."},
        {{NewtonMetres, {{1000, 1}, {2000, 1}, {2000, 1}}},
         "Torque curve: RPM must rise from point to point (point 3)."},
        {{NewtonMetres, {{0, 1}, {2000, 1}, {3000, 1}}}, "Torque curve: RPM must be a positive number (point 1)."},
        {{Ps, {{1, 0}, {2, 0}, {3, -1}}}, "Torque curve: power must not be negative (point 3)."},
        {{Kilowatts, {{1, 0}, {2, 0}, {3, INFINITY}}}, "Torque curve: power must be a finite number (point 3)."},
    };
    for (const auto& [curve, expected] : curves)
        EXPECT_EQ(texts(ValidateTorqueCurve(curve)), expected);

    const std::vector<std::pair<Change, std::string>> vehicles = {
        {{}, ""},
        {[](Vehicle& v) { v.tire.kind = TireKind::Size, v.tire.strSize = "225/45"; },
         "Tire: \"225/45\" is no tire size."},
        {[](Vehicle& v) { v.tire.value = INFINITY; }, "Tire: the diameter must be a positive number."},
        {[](Vehicle& v) { v.tire.kind = TireKind::RevsPerMile, v.tire.value = 0; },
         "Tire: revolutions per mile must be a positive number."},
        {[](Vehicle& v) { v.engine.redlineRpm = 0; }, "Engine: the redline must be a positive number."},
        {[](Vehicle& v) { v.engine.redlineRpm = 1000; },
         "Engine: the redline must be above the torque curve's first point (1000 RPM)."},
        {[](Vehicle& v) { v.engine.redlineRpm = 1000.5; }, ""},
        {[](Vehicle& v) { v.engine.torque.points[1].rpm = 0; },
         "Torque curve: RPM must be a positive number (point 2)."},
        {[](Vehicle& v) { v.road.mass = 0, v.road.gradePercent = NAN; },
         "Road load: the mass must be a positive number.|Road load: the grade must be a number."},
        {[](Vehicle& v) { v.road = {1, MassUnit::Kilograms, 0, 0, 0.0, AreaUnit::SquareMetres, 0, 1, 0, -5}; }, ""},
        {[](Vehicle& v) { v.road.efficiency = 0; }, "Road load: the efficiency must be above 0 and at most 1."},
    };
    for (const auto& [change, expected] : vehicles) {
        Vehicle vehicle = SportsCar();
        if (change)
            change(vehicle);
        EXPECT_EQ(texts(ValidateVehicle(vehicle)), expected);
        EXPECT_EQ(CPerformanceModel::Build(vehicle).has_value(), expected.empty()) << expected;
    }
    EXPECT_EQ(texts(ValidateVehicle(Vehicle{})), // what a new Performance window tells
              "Gearbox: give 1 to 10 forward ratios, not 0.|Gearbox: give one final drive or one per forward gear (0), "
              "not 0.|Tire: the diameter must be a positive number.|Engine: the redline must be a positive number.|"
              "Torque curve: give 3 to 1000 points, not 0.|Road load: the mass must be a positive number.");
    EXPECT_EQ(GearOrdinal(1) + GearOrdinal(2) + GearOrdinal(3) + GearOrdinal(4) + GearOrdinal(10) +
                  std::string(TopSpeedLimitName({})),
              "1st2nd3rd4th10th");
}

} // namespace

// From the calculator: the gears above 0 in order, reverse negated, the rear end, the tire in inches, the RPM as the
// redline only above 0; the rest of the vehicle stays. Values are the numbers typed, not the floats' doubles.
TEST(Performance, FillFromCalculator)
{
    // RPM, 1st, rear end, tire, 2nd to 6th, reverse; then what the vehicle holds.
    using Row = std::tuple<GearSettings, std::vector<double>, std::optional<double>, double, double, double>;
    const Row rows[] = {
        {{1500, 2.68F, 3.53F, 26.4F, 2, 1.3F, 1, 0.75F, 0, 2.9F}, {2.68, 2, 1.3, 1, 0.75}, -2.9, 3.53, 26.4, 1500},
        {{0, 3.1F, 4.1F, 30, 2.2F, 0, 1.05F, 0, 0.62F, 0}, {3.1, 2.2, 1.05, 0.62}, std::nullopt, 4.1, 30, 7000},
        {{}, {}, std::nullopt, 0, 0, 7000},
    };
    Vehicle before = SportsCar();
    before.strName = "car";
    before.engine.redlineRpm = 7000;
    for (const auto& [settings, forward, reverse, finalDrive, tireInches, redline] : rows) {
        Vehicle expected = before;
        expected.gearbox = {forward, reverse, {finalDrive}};
        expected.tire = {TireKind::DiameterIn, tireInches, ""};
        expected.engine.redlineRpm = redline;
        EXPECT_EQ(FillFromCalculator(before, settings), expected) << tireInches;
    }
}
