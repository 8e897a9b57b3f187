#include "calc/performance.h"

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "numtext/numtext.h"

namespace {

// The published sports-car data set: the ZF 8HP ratios, final drive 3.31, a 685 mm tire, torque in N·m, and the
// road load of a 1741 kg car with Cd 0.36 on 2.42 m².
Vehicle SportsCar()
{
    Vehicle vehicle;
    vehicle.gearbox = {{4.714, 3.143, 2.106, 1.667, 1.285, 1.000, 0.839, 0.667}, -3.295, {3.31}};
    vehicle.tire = {TireKind::DiameterMm, 685.0, ""};
    vehicle.engine = {
        6500,
        {TorqueUnit::NewtonMetres, {{1000, 306}, {2020, 385}, {2990, 439}, {3500, 450}, {5000, 450}, {6500, 367}}}};
    vehicle.road.mass = 1741;
    vehicle.road.cd = 0.36;
    vehicle.road.frontalArea = 2.42;
    return vehicle;
}

// Gears 2 and 1 on a tire 1 m round (1609.344 revs per mile), redline 6000: the second gear turns at half the
// first's RPM, so it out-pulls the first where the torque at half the RPM is more than twice the torque.
Vehicle TwoGears(std::vector<TorquePoint> points, std::vector<double> forward = {2, 1})
{
    Vehicle vehicle;
    vehicle.gearbox = {std::move(forward), std::nullopt, {1}};
    vehicle.tire = {TireKind::RevsPerMile, 1609.344, ""};
    vehicle.engine = {6000, {TorqueUnit::NewtonMetres, std::move(points)}};
    vehicle.road.mass = 1000;
    return vehicle;
}

// Its top speeds per gear, by bisection on the definition: 1st to 6th reach the redline, 7th and 8th do not.
constexpr const char* kSportsCarTopSpeeds = "53.788 redline|80.674 redline|120.398 redline|152.104 redline|"
                                            "197.321 redline|253.558 redline|261.875 road load|241.723 road load|"
                                            "top 261.875 7 road load";

PerformanceAnalysis Analyse(const Vehicle& vehicle)
{
    const std::optional<PerformanceAnalysis> analysis = AnalysePerformance(vehicle);
    EXPECT_TRUE(analysis) << vehicle.strName;
    return analysis.value_or(PerformanceAnalysis{});
}

// Per gear: the top speed to 1 m/h and its limit; then the vehicle's.
std::string TopSpeeds(const PerformanceAnalysis& analysis)
{
    std::string text;
    for (const GearPerformance& gear : analysis.gears)
        text += gear.topSpeedKmh
                    ? CrtFormat("%.3f ", {*gear.topSpeedKmh}) + std::string(TopSpeedLimitName(gear.topSpeedLimit)) + "|"
                    : "none|";
    if (const std::optional<VehicleTopSpeed>& top = analysis.topSpeed)
        text += CrtFormat("top %.3f %d ", {top->kmh, top->nGear}) + std::string(TopSpeedLimitName(top->limit));
    return text;
}

// Published: output torque (engine torque x gear ratio) shifting 2nd to 3rd at 4000 RPM 667 lb-ft before, 444.3
// after (2609 RPM after); at 5000, 644 and 463.8 (5000 x 1.5 / 2.3 = 3261 RPM after); every upshift at the redline.
// A 24 in tire has a radius of one foot and the efficiency is 1, so force x 0.3048 m is the output torque.
TEST(Performance, PublishedShiftPointsInPoundFeet)
{
    const std::vector<std::tuple<double, double, double, double>> rows = {
        {5000, 644, 463.8, 3261},
        {4000, 667, 444.3, 2609},
    };
    for (const auto& [redline, before, after, rpmAfter] : rows) {
        Vehicle vehicle = TwoGears({{2600, 296}, {3300, 310}, {4000, 290}, {5000, 280}}, {4, 2.3, 1.5, 1.2, 1.0, 0.85});
        vehicle.engine.torque.unit = TorqueUnit::PoundFeet;
        vehicle.engine.redlineRpm = redline;
        vehicle.tire = {TireKind::DiameterIn, 24, ""};
        vehicle.road.efficiency = 1;
        const PerformanceAnalysis analysis = Analyse(vehicle);
        ASSERT_EQ(analysis.gears.size(), 6U);
        for (const GearPerformance& gear : analysis.gears) {
            EXPECT_EQ(gear.upshift.has_value(), gear.nGear < 6);
            EXPECT_TRUE(!gear.upshift || (gear.upshift->bAtRedline && gear.upshift->rpm == redline)) << gear.nGear;
        }
        const Upshift& second = analysis.gears[1].upshift.value();
        const double lbFtPerNewton = 0.3048 / 1.3558179483314004;
        EXPECT_NEAR(second.wheelForceBeforeN * lbFtPerNewton, before, 0.05) << redline;
        EXPECT_NEAR(second.wheelForceAfterN.value_or(0) * lbFtPerNewton, after, 0.05) << redline;
        EXPECT_NEAR(second.rpmAfter, rpmAfter, 0.5) << redline;
    }
}

// Published speeds at 6500 RPM, every upshift at 6500; by hand: the RPM after (6500 x next / this ratio), the forces
// (torque x ratio x 3.31 x 0.9 / 0.3425 m) and and the top speeds.
TEST(Performance, PublishedSportsCar)
{
    const std::vector<std::tuple<double, double, double, double>> rows = {
        {53.8, 4333.79, 15047.5, 12301.7}, {80.7, 4355.39, 10032.8, 8242.9},
        {120.4, 5145.06, 6722.6, 6408.3},  {152.1, 5010.50, 5321.2, 5023.0},
        {197.3, 5058.37, 4101.8, 3885.9},  {253.6, 5453.50, 3192.1, 3100.7},
        {302.2, 5167.46, 2678.2, 2556.9},  {380.1, 0, 0, 0},
    };
    const Vehicle vehicle = SportsCar();
    const PerformanceAnalysis analysis = Analyse(vehicle);
    ASSERT_EQ(analysis.gears.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& [kmh, rpmAfter, before, after] = rows[i];
        const GearPerformance& gear = analysis.gears[i];
        EXPECT_EQ(std::tuple(gear.nGear, gear.ratio, gear.finalDrive),
                  std::tuple(int(i) + 1, vehicle.gearbox.forward[i], 3.31));
        EXPECT_NEAR(gear.overallRatio, vehicle.gearbox.forward[i] * 3.31, 1e-12);
        EXPECT_NEAR(gear.speedAtRedlineKmh, kmh, 0.05) << i;
        if (!gear.upshift)
            continue;
        EXPECT_TRUE(gear.upshift->bAtRedline && gear.upshift->rpm == 6500) << i;
        EXPECT_NEAR(gear.upshift->speedKmh, gear.speedAtRedlineKmh, 1e-9);
        EXPECT_NEAR(gear.upshift->rpmAfter, rpmAfter, 0.01) << i;
        EXPECT_NEAR(gear.upshift->wheelForceBeforeN, before, 0.1) << i;
        EXPECT_NEAR(gear.upshift->wheelForceAfterN.value_or(0), after, 0.1) << i;
    }
    EXPECT_FALSE(analysis.gears.back().upshift);
    EXPECT_EQ(TopSpeeds(analysis), kSportsCarTopSpeeds);
}

// The same car in every unit: power turned into torque at each point's RPM (values by hand, four decimals), mass in
// pounds, area in square feet, the drag area given whole. Published: 18451 N in 1st at 3500 RPM (28.963 km/h).
TEST(Performance, UnitsGiveTheSameFigures)
{
    using enum TorqueUnit;
    const std::vector<std::tuple<TorqueUnit, std::vector<double>, std::function<void(RoadLoad&)>>> rows = {
        {NewtonMetres,
         {306, 385, 439, 450, 450, 367},
         [](RoadLoad&) {
         }},
        {PoundFeet,
         {225.694, 283.9614, 323.7898, 331.903, 331.903, 270.6853},
         [](RoadLoad&) {
         }},
        {Kilowatts,
         {32.0442, 81.4406, 137.4562, 164.9336, 235.6194, 249.809},
         [](RoadLoad&) {
         }},
        {Horsepower,
         {42.972, 109.2136, 184.3318, 221.1796, 315.9708, 334.9993},
         [](RoadLoad&) {
         }},
        {Ps,
         {43.568, 110.7281, 186.8881, 224.2469, 320.3528, 339.6451},
         [](RoadLoad&) {
         }},
        {NewtonMetres,
         {306, 385, 439, 450, 450, 367},
         [](RoadLoad& road) {
             road = {3838.2479846, MassUnit::Pounds, 0.36, 26.0486632, std::nullopt, AreaUnit::SquareFeet};
         }},
        {NewtonMetres,
         {306, 385, 439, 450, 450, 367},
         [](RoadLoad& road) {
             road.cdA = 0.8712;
         }},
    };
    for (const auto& [unit, values, changeRoad] : rows) {
        Vehicle vehicle = SportsCar();
        vehicle.engine.torque.unit = unit;
        for (std::size_t i = 0; i < values.size(); ++i)
            vehicle.engine.torque.points[i].value = values[i];
        changeRoad(vehicle.road);
        const std::optional<CPerformanceModel> model = CPerformanceModel::Build(vehicle);
        ASSERT_TRUE(model);
        const ForcePoint at3500 = model->ForceCurve(1).at(3);
        EXPECT_NEAR(at3500.newtons, 18450.66, 0.1) << int(unit);
        EXPECT_NEAR(at3500.kmh, 28.9629, 1e-4);
        EXPECT_EQ(TopSpeeds(model->Analyse()), kSportsCarTopSpeeds);
    }
}

// The usable range ends at the lower of the redline and the last point: a redline between points ends the force
// curve there (394.667 N·m at 6000 RPM, by hand); one past the last point moves only the speed at the redline.
TEST(Performance, UsableRangeEndsAtRedlineOrLastPoint)
{
    const std::vector<std::tuple<double, std::size_t, double, double, double>> rows = {
        {6000, 6, 49.6507, 16181.92, 49.6507},
        {7000, 6, 53.7883, 15047.54, 57.9258},
        {6500, 6, 53.7883, 15047.54, 53.7883},
    };
    for (const auto& [redline, nPoints, lastKmh, lastNewtons, redlineKmh] : rows) {
        Vehicle vehicle = SportsCar();
        vehicle.engine.redlineRpm = redline;
        const std::optional<CPerformanceModel> model = CPerformanceModel::Build(vehicle);
        ASSERT_TRUE(model);
        const std::vector<ForcePoint> curve = model->ForceCurve(1);
        EXPECT_EQ(curve.size(), nPoints);
        EXPECT_NEAR(curve.front().kmh, 8.2751, 1e-4);
        EXPECT_NEAR(curve.back().kmh, lastKmh, 1e-4) << redline;
        EXPECT_NEAR(curve.back().newtons, lastNewtons, 0.01) << redline;
        const GearPerformance first = model->Analyse().gears.front();
        EXPECT_NEAR(first.speedAtRedlineKmh, redlineKmh, 1e-4) << redline;
        EXPECT_TRUE(first.upshift->bAtRedline);
        EXPECT_NEAR(first.upshift->rpm, std::min(redline, 6500.0), 1e-9);
        EXPECT_NEAR(model->SpeedKmhAtRpm(8, 6500), 380.1, 0.05);
        EXPECT_EQ(model->TorqueAt(999.99), std::nullopt);
        EXPECT_EQ(model->TorqueAt(std::min(redline, 6500.0) + 0.01), std::nullopt);
        EXPECT_NEAR(model->TorqueAt(1000).value_or(0), 306, 1e-9);
        EXPECT_NEAR(model->TorqueAt(1510).value_or(0), 345.5, 1e-9);
    }
}

// Crossings by hand. A torque falling from 100 N·m at 5000 to 20 at 6000: 2 T(rpm) = T(rpm / 2) = 100 at 5625
// (168.75 km/h on the 1 m tire). With a dip at 2000 too, the difference turns twice: the crossing nearest the top
// counts, where 1000 - 0.16 rpm = 0.03 rpm - 80, at 5684.21. A bend of the next gear's curve (2800) within the
// piece: 380 - 0.05 rpm = 1000 - 0.16 rpm at 5636.36. A torque that falls faster than the RPM rises: the next
// gear wins from where its own curve starts (1510 x 1 / 1.51 rounds below 1000). Forces that only touch at 4000
// (2 x 50 = 100) do not stop the walk down to 3416.67; forces equal at the redline shift there. A next gear below the
// curve's start at the redline, or a lower "next" gear above its top, has no force there. Forces: torque x ratio x 0.9
// x 2 pi.
TEST(Performance, UpshiftBelowTheRedline)
{
    const std::vector<
        std::tuple<std::vector<TorquePoint>, std::vector<double>, double, double, double, std::optional<double>>>
        rows = {
            {{{1000, 100}, {4000, 100}, {5000, 100}, {6000, 20}}, {2, 1}, 5625, 168.75, 565.4867, 565.4867},
            {{{1000, 100}, {1500, 100}, {2000, 40}, {3000, 100}, {5000, 100}, {6000, 20}},
             {2, 1},
             5684.2105,
             170.5263,
             511.9143,
             511.9143},
            {{{1000, 100}, {2800, 100}, {3000, 80}, {5000, 100}, {6000, 20}},
             {2, 1},
             5636.3636,
             169.0909,
             555.2051,
             555.2051},
            {{{1000, 100}, {3000, 100}, {3500, 40}, {4000, 50}, {4500, 40}, {6000, 20}},
             {2, 1},
             3416.6667,
             102.5,
             565.4867,
             565.4867},
            {{{1000, 100}, {5000, 100}, {6000, 50}}, {2, 1}, 6000, 180, 565.4867, 565.4867},
            {{{1000, 400}, {1510, 200}, {3000, 60}, {6000, 10}}, {1.51, 1}, 1510, 60, 1707.7698, 2261.9467},
            {{{2000, 200}, {4000, 200}, {6000, 200}}, {4, 1}, 6000, 90, 4523.8934, std::nullopt},
            {{{2000, 200}, {4000, 200}, {6000, 200}}, {1, 2}, 6000, 360, 1130.9734, std::nullopt},
        };
    for (const auto& [points, forward, rpm, kmh, before, after] : rows) {
        const PerformanceAnalysis analysis = Analyse(TwoGears(points, forward));
        const Upshift& upshift = analysis.gears.front().upshift.value();
        EXPECT_NEAR(upshift.rpm, rpm, 1e-4);
        EXPECT_EQ(upshift.bAtRedline, rpm == 6000) << rpm;
        EXPECT_NEAR(upshift.rpmAfter, rpm * forward[1] / forward[0], 1e-4);
        EXPECT_NEAR(upshift.speedKmh, kmh, 1e-4);
        EXPECT_NEAR(upshift.wheelForceBeforeN, before, 1e-3);
        EXPECT_EQ(upshift.wheelForceAfterN.has_value(), after.has_value());
        EXPECT_NEAR(upshift.wheelForceAfterN.value_or(0), after.value_or(0), 1e-3);
    }
}

// The same crossing on other tires and final drives: the RPMs stay, the speed follows (by hand: 5625 / 60 / (2 x
// 3.31) x circumference x 3.6; 225/45R17 is 634.3 mm).
TEST(Performance, UpshiftRpmIndependentOfTireAndFinalDrive)
{
    const std::vector<std::tuple<Tire, double, double>> rows = {
        {{TireKind::DiameterIn, 26.97, ""}, 3.31, 109.7186},   {{TireKind::Size, 0, "225/45R17"}, 3.31, 101.5922},
        {{TireKind::RevsPerMile, 807.61, ""}, 3.31, 101.5928}, {{TireKind::DiameterMm, 685.0, ""}, 3.31, 109.7125},
        {{TireKind::RevsPerMile, 1609.344, ""}, 4.1, 41.1585},
    };
    for (const auto& [tire, finalDrive, kmh] : rows) {
        Vehicle vehicle = TwoGears({{1000, 100}, {4000, 100}, {5000, 100}, {6000, 20}});
        vehicle.tire = tire;
        vehicle.gearbox.finalDrives = {finalDrive};
        const Upshift upshift = Analyse(vehicle).gears.front().upshift.value();
        EXPECT_NEAR(upshift.rpm, 5625, 1e-6) << kmh;
        EXPECT_NEAR(upshift.rpmAfter, 2812.5, 1e-6) << kmh;
        EXPECT_NEAR(upshift.speedKmh, kmh, 1e-4);
    }
}

// A flat 200 N·m on a 2 m tire (804.672 revs per mile), overall 4, 3 and 0.5, 1000 kg, CdA 0.6: by hand the force
// is 200 x overall x 0.9 x pi, the load 117.68 + 0.3675 v², so 1st reaches its redline (180 km/h), 2nd stops at
// sqrt((1696.46 - 117.68) / 0.3675) m/s and 6th-like 0.5 never pulls the load. A 10% grade adds m·g·(sin - 0.012 (1 -
// cos)); in pounds and square feet nothing changes; a torque rising with the RPM beats the load only between its
// two crossings, both within one piece (a 4 ratio, Crr 0.1, air 2 kg/m³, CdA 1: v² - 67.858 v + 980.665 = 0).
// Without drag a flat force under the load never meets it; a force that falls to a load of 0 at the redline still
// reaches it there; a tie goes to the lower gear.
TEST(Performance, TopSpeeds)
{
    const std::vector<std::pair<std::function<void(Vehicle&)>, std::string>> rows = {
        {[](Vehicle&) {}, "180.000 redline|235.958 road load|none|top 235.958 2 road load"},
        {[](Vehicle& vehicle) { vehicle.road.gradePercent = 10; },
         "180.000 redline|145.894 road load|none|top 180.000 1 redline"},
        {[](Vehicle& vehicle) {
             vehicle.road = {2204.6226218, MassUnit::Pounds, 1, 6.4583463, std::nullopt, AreaUnit::SquareFeet};
         },
         "180.000 redline|235.958 road load|none|top 235.958 2 road load"},
        {[](Vehicle& vehicle) {
             vehicle.gearbox.forward = {4};
             vehicle.engine.torque.points = {{1000, 50}, {1100, 55}, {6000, 300}};
             vehicle.road = {1000, MassUnit::Kilograms, 0, 0, 1.0, AreaUnit::SquareMetres, 0.1, 0.9, 2.0};
         },
         "169.156 road load|top 169.156 1 road load"},
        {[](Vehicle& vehicle) { vehicle.gearbox.forward = {0.5}; }, "none|"},
        {[](Vehicle& vehicle) { vehicle.gearbox.forward = {0.5}, vehicle.road.mass = 10000, vehicle.road.cdA = 0; },
         "none|"},
        {[](Vehicle& vehicle) {
             vehicle.gearbox.forward = {4};
             vehicle.engine.torque.points.back().value = 0;
             vehicle.road = {1000, MassUnit::Kilograms, 0, 0, 0.0, AreaUnit::SquareMetres, 0};
         },
         "180.000 redline|top 180.000 1 redline"},
        {[](Vehicle& vehicle) {
             vehicle.gearbox.forward = {3, 3};
         },
         "235.958 road load|235.958 road load|top 235.958 1 road load"},
    };
    for (const auto& [change, expected] : rows) {
        Vehicle vehicle = TwoGears({{1000, 200}, {3500, 200}, {6000, 200}}, {4, 3, 0.5});
        vehicle.tire = {TireKind::RevsPerMile, 804.672, ""};
        vehicle.road.cdA = 0.6;
        change(vehicle);
        EXPECT_EQ(TopSpeeds(Analyse(vehicle)), expected);
    }
    Vehicle vehicle = TwoGears({{1000, 200}, {3500, 200}, {6000, 200}}, {4, 3, 0.5});
    vehicle.road.cdA = 0.6;
    const std::optional<CPerformanceModel> model = CPerformanceModel::Build(vehicle);
    ASSERT_TRUE(model);
    std::string curve;
    for (const ForcePoint& point : model->RoadLoadCurve(180, 3))
        curve += CrtFormat("%g %.4f|", {point.kmh, point.newtons});
    EXPECT_EQ(curve, "0 117.6798|90 347.3673|180 1036.4298|");
    EXPECT_EQ(model->RoadLoadCurve(100).size(), 101U);
    EXPECT_EQ(model->RoadLoadCurve(100, 1).size(), 2U);
}

// The Hyundai D7UF1 dual-clutch box, its gears on two final drives: overall ratios from its maker's figures.
TEST(Performance, TwoFinalDrives)
{
    Vehicle vehicle = SportsCar();
    vehicle.gearbox = {
        {3.929, 2.318, 2.043, 1.07, 0.822, 0.884, 0.721}, -5.304, {4.294, 4.294, 3.174, 4.294, 4.294, 3.174, 3.174}};
    const std::vector<double> overall = {16.8711, 9.9535, 6.4845, 4.5946, 3.5297, 2.8058, 2.2885};
    const PerformanceAnalysis analysis = Analyse(vehicle);
    ASSERT_EQ(analysis.gears.size(), overall.size());
    for (std::size_t i = 0; i < overall.size(); ++i) {
        EXPECT_NEAR(analysis.gears[i].overallRatio, overall[i], 5e-5) << i;
        EXPECT_EQ(analysis.gears[i].finalDrive, vehicle.gearbox.finalDrives[i]);
    }
}

// Each problem a sentence naming its field; the limits themselves are allowed.
TEST(Performance, Validation)
{
    using Change = std::function<void(Vehicle&)>;
    const auto points = [](std::size_t nCount) {
        std::vector<TorquePoint> list;
        for (std::size_t i = 0; i < nCount; ++i)
            list.push_back({1000.0 + double(i), 100});
        return list;
    };
    const std::vector<std::pair<Change, std::string>> rows = {
        {[](Vehicle&) {}, ""},
        {[](Vehicle& v) { v.gearbox.forward.assign(11, 1.0); }, "Gearbox: give 1 to 10 forward ratios, not 11."},
        {[](Vehicle& v) { v.gearbox.forward.assign(10, 1.0); }, ""},
        {[](Vehicle& v) { v.gearbox.forward.clear(); }, "Gearbox: give 1 to 10 forward ratios, not 0."},
        {[](Vehicle& v) { v.gearbox.forward[2] = 0; }, "Gearbox: a ratio must be a positive number (gear 3)."},
        {[](Vehicle& v) { v.gearbox.forward[0] = NAN; }, "Gearbox: a ratio must be a positive number (gear 1)."},
        {[](Vehicle& v) { v.gearbox.reverse = 0; }, "Gearbox: the reverse ratio must be a number other than 0."},
        {[](Vehicle& v) { v.gearbox.reverse = INFINITY; }, "Gearbox: the reverse ratio must be a number other than 0."},
        {[](Vehicle& v) {
             v.gearbox.finalDrives = {3, 3, 3};
         },
         "Gearbox: give one final drive or one per forward gear (8), not 3."},
        {[](Vehicle& v) { v.gearbox.finalDrives.clear(); },
         "Gearbox: give one final drive or one per forward gear (8), not 0."},
        {[](Vehicle& v) { v.gearbox.finalDrives.assign(8, 3.0); }, ""},
        {[](Vehicle& v) { v.gearbox.finalDrives = {-1}; },
         "Gearbox: a final drive must be a positive number (final drive 1)."},
        {[](Vehicle& v) {
             v.tire = {TireKind::Size, 0, "225/45"};
         },
         "Tire: \"225/45\" is no tire size."},
        {[](Vehicle& v) {
             v.tire = {TireKind::DiameterIn, 0, ""};
         },
         "Tire: the diameter must be a positive number."},
        {[](Vehicle& v) {
             v.tire = {TireKind::RevsPerMile, -5, ""};
         },
         "Tire: revolutions per mile must be a positive number."},
        {[](Vehicle& v) { v.engine.redlineRpm = 0; }, "Engine: the redline must be a positive number."},
        {[](Vehicle& v) { v.engine.redlineRpm = 1000; },
         "Engine: the redline must be above the torque curve's first point (1000 RPM)."},
        {[](Vehicle& v) { v.engine.redlineRpm = 1000.5; }, ""},
        {[](Vehicle& v) { v.engine.torque.points.resize(2); }, "Torque curve: give 3 to 1000 points, not 2."},
        {[&](Vehicle& v) { v.engine.torque.points = points(3); }, ""},
        {[&](Vehicle& v) { v.engine.torque.points = points(1000); }, ""},
        {[&](Vehicle& v) { v.engine.torque.points = points(1001); }, "Torque curve: give 3 to 1000 points, not 1001."},
        {[](Vehicle& v) { v.engine.torque.points[2].rpm = 2000; },
         "Torque curve: RPM must rise from point to point (point 3)."},
        {[](Vehicle& v) { v.engine.torque.points[2].rpm = 2020; },
         "Torque curve: RPM must rise from point to point (point 3)."},
        {[](Vehicle& v) { v.engine.torque.points[0].rpm = 0; },
         "Torque curve: RPM must be a positive number (point 1)."},
        {[](Vehicle& v) { v.engine.torque.points[1].value = -1; },
         "Torque curve: torque must not be negative (point 2)."},
        {[](Vehicle& v) { v.engine.torque.points[1].value = 0; }, ""},
        {[](Vehicle& v) {
             v.engine.torque.unit = TorqueUnit::Ps;
             v.engine.torque.points[5].value = -1;
         },
         "Torque curve: power must not be negative (point 6)."},
        {[](Vehicle& v) { v.engine.torque.points[3].value = INFINITY; },
         "Torque curve: torque must be a finite number (point 4)."},
        {[](Vehicle& v) {
             v.road = {0, MassUnit::Kilograms, -1, -1, std::nullopt, AreaUnit::SquareMetres, -0.1, 0, -1, NAN};
         },
         "Road load: the mass must be a positive number.|Road load: the drag coefficient must be a number of 0 or "
         "more.|Road load: the frontal area must be a number of 0 or more.|Road load: the rolling resistance must be "
         "a number of 0 or more.|Road load: the efficiency must be above 0 and at most 1.|Road load: the air density "
         "must be a number of 0 or more.|Road load: the grade must be a number."},
        {[](Vehicle& v) {
             v.road.cdA = -1;
             v.road.efficiency = 1.01;
         },
         "Road load: the drag area must be a number of 0 or more.|Road load: the efficiency must be above 0 and at "
         "most 1."},
        {[](Vehicle& v) { v.road = {1, MassUnit::Kilograms, 0, 0, 0.0, AreaUnit::SquareMetres, 0, 1, 0, -5}; }, ""},
    };
    for (const auto& [change, expected] : rows) {
        Vehicle vehicle = SportsCar();
        change(vehicle);
        std::string text;
        for (const VehicleProblem& problem : ValidateVehicle(vehicle))
            text += (text.empty() ? "" : "|") + problem.Text();
        EXPECT_EQ(text, expected);
        EXPECT_EQ(CPerformanceModel::Build(vehicle).has_value(), expected.empty()) << expected;
    }
    EXPECT_TRUE(ValidateGearbox({{3.35, 1.99, 1.33, 1.00, 0.68}, std::nullopt, {}}, false).empty());
    EXPECT_EQ(ValidateGearbox({{1}, std::nullopt, {}}).size(), 1U);
    EXPECT_EQ(GearOrdinal(1) + GearOrdinal(2) + GearOrdinal(3) + GearOrdinal(4) + GearOrdinal(10), "1st2nd3rd4th10th");
    EXPECT_EQ(TopSpeedLimitName(TopSpeedLimit::None), "");
}

} // namespace
