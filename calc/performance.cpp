#include "calc/performance.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "calc/tiresize.h"
#include "numtext/numtext.h"

namespace {

constexpr double kKmhPerMetrePerSecond = 3.6;
constexpr double kMetresPerInch = 0.0254;
constexpr double kMetresPerMillimetre = 0.001;
constexpr double kWattsPerKilowatt = 1000.0;
constexpr double kSecondsPerMinute = 60.0;

bool IsPositive(double value)
{
    return std::isfinite(value) && value > 0;
}

bool IsNotNegative(double value)
{
    return std::isfinite(value) && value >= 0;
}

std::string Count(std::size_t nCount)
{
    return CrtFormat("%d", {static_cast<int>(std::min<std::size_t>(nCount, 1'000'000'000))});
}

// The tire's true rolling circumference in metres; nothing for a size that is none.
std::optional<double> Circumference(const Tire& tire)
{
    switch (tire.kind) {
    case TireKind::DiameterMm:
        return std::numbers::pi * tire.value * kMetresPerMillimetre;
    case TireKind::DiameterIn:
        return std::numbers::pi * tire.value * kMetresPerInch;
    case TireKind::Size:
        if (const std::optional<TireSize> size = ParseTireSize(tire.strSize))
            return std::numbers::pi * size->millimetres * kMetresPerMillimetre;
        return std::nullopt;
    case TireKind::RevsPerMile:
        return kMetresPerMile / tire.value;
    }
    return std::nullopt;
}

double TorqueNewtonMetres(TorqueUnit unit, const TorquePoint& point)
{
    const double radiansPerSecond = point.rpm * 2.0 * std::numbers::pi / kSecondsPerMinute;
    switch (unit) {
    case TorqueUnit::NewtonMetres:
        return point.value;
    case TorqueUnit::PoundFeet:
        return point.value * kNewtonMetresPerPoundFoot;
    case TorqueUnit::Kilowatts:
        return point.value * kWattsPerKilowatt / radiansPerSecond;
    case TorqueUnit::Horsepower:
        return point.value * kWattsPerHorsepower / radiansPerSecond;
    case TorqueUnit::Ps:
        return point.value * kWattsPerPs / radiansPerSecond;
    }
    return 0;
}

bool IsPower(TorqueUnit unit)
{
    return unit == TorqueUnit::Kilowatts || unit == TorqueUnit::Horsepower || unit == TorqueUnit::Ps;
}

void ValidateTire(const Tire& tire, std::vector<VehicleProblem>& problems)
{
    if (tire.kind == TireKind::Size) {
        if (!ParseTireSize(tire.strSize))
            problems.push_back({VehicleField::Tire, -1, "\"" + tire.strSize + "\" is no tire size"});
    } else if (!IsPositive(tire.value)) {
        problems.push_back({VehicleField::Tire, -1,
                            tire.kind == TireKind::RevsPerMile ? "revolutions per mile must be a positive number"
                                                               : "the diameter must be a positive number"});
    }
}

void ValidateRoad(const RoadLoad& road, std::vector<VehicleProblem>& problems)
{
    const auto check = [&](bool bValid, VehicleField field, const char* pszReason) {
        if (!bValid)
            problems.push_back({field, -1, pszReason});
    };
    check(IsPositive(road.mass), VehicleField::Mass, "the mass must be a positive number");
    if (road.cdA) {
        check(IsNotNegative(*road.cdA), VehicleField::DragArea, "the drag area must be a number of 0 or more");
    } else {
        check(IsNotNegative(road.cd), VehicleField::DragCoefficient,
              "the drag coefficient must be a number of 0 or more");
        check(IsNotNegative(road.frontalArea), VehicleField::FrontalArea,
              "the frontal area must be a number of 0 or more");
    }
    check(IsNotNegative(road.rollingResistance), VehicleField::RollingResistance,
          "the rolling resistance must be a number of 0 or more");
    check(IsPositive(road.efficiency) && road.efficiency <= 1, VehicleField::Efficiency,
          "the efficiency must be above 0 and at most 1");
    check(IsNotNegative(road.airDensity), VehicleField::AirDensity, "the air density must be a number of 0 or more");
    check(std::isfinite(road.gradePercent), VehicleField::Grade, "the grade must be a number");
}

// The highest t in [0, length] at which value + slope·t - curvature·t² is not negative, given that it is negative at
// length; curvature is not negative. The larger root, by the form that does not cancel.
std::optional<double> HighestRoot(double curvature, double slope, double value, double length)
{
    const double discriminant = slope * slope + 4.0 * curvature * value;
    if (discriminant < 0)
        return std::nullopt;
    const double root = std::sqrt(discriminant);
    double t = 0;
    if (slope < 0)
        t = 2.0 * value / (root - slope);
    else if (curvature > 0)
        t = (slope + root) / (2.0 * curvature);
    else
        return std::nullopt;
    // Below 0 the piece lies wholly beyond the root; past its end without a root at the start, it lies before both.
    if (t < 0 || (t > length && value < 0))
        return std::nullopt;
    return std::min(t, length);
}

} // namespace

std::string VehicleProblem::Text() const
{
    std::string_view strLabel = "Road load";
    std::string_view strItem;
    switch (field) {
    case VehicleField::Forward:
        strLabel = "Gearbox";
        strItem = "gear";
        break;
    case VehicleField::Reverse:
        strLabel = "Gearbox";
        break;
    case VehicleField::FinalDrive:
        strLabel = "Gearbox";
        strItem = "final drive";
        break;
    case VehicleField::Tire:
        strLabel = "Tire";
        break;
    case VehicleField::Redline:
        strLabel = "Engine";
        break;
    case VehicleField::Torque:
    case VehicleField::TorqueRpm:
    case VehicleField::TorqueValue:
        strLabel = "Torque curve";
        strItem = "point";
        break;
    default:
        break;
    }
    std::string text = std::string(strLabel) + ": " + strReason;
    if (nIndex >= 0)
        text += " (" + std::string(strItem) + " " + CrtFormat("%d", {nIndex + 1}) + ")";
    return text + ".";
}

std::vector<VehicleProblem> ValidateGearbox(const Gearbox& gearbox, bool bNeedFinalDrive)
{
    std::vector<VehicleProblem> problems;
    const std::size_t nGears = gearbox.forward.size();
    if (nGears == 0 || nGears > kMaxForwardGears)
        problems.push_back({VehicleField::Forward, -1,
                            "give 1 to " + Count(kMaxForwardGears) + " forward ratios, not " + Count(nGears)});
    for (std::size_t i = 0; i < nGears; ++i) {
        if (!IsPositive(gearbox.forward[i]))
            problems.push_back({VehicleField::Forward, static_cast<int>(i), "a ratio must be a positive number"});
    }
    if (gearbox.reverse && !(std::isfinite(*gearbox.reverse) && *gearbox.reverse != 0))
        problems.push_back({VehicleField::Reverse, -1, "the reverse ratio must be a number other than 0"});
    const std::size_t nFinalDrives = gearbox.finalDrives.size();
    if ((bNeedFinalDrive && nFinalDrives == 0) || (nFinalDrives > 1 && nFinalDrives != nGears)) {
        problems.push_back(
            {VehicleField::FinalDrive, -1,
             "give one final drive or one per forward gear (" + Count(nGears) + "), not " + Count(nFinalDrives)});
    }
    for (std::size_t i = 0; i < nFinalDrives; ++i) {
        if (!IsPositive(gearbox.finalDrives[i]))
            problems.push_back(
                {VehicleField::FinalDrive, static_cast<int>(i), "a final drive must be a positive number"});
    }
    return problems;
}

std::vector<VehicleProblem> ValidateTorqueCurve(const TorqueCurve& curve)
{
    std::vector<VehicleProblem> problems;
    const std::size_t nPoints = curve.points.size();
    if (nPoints < kMinTorquePoints || nPoints > kMaxTorquePoints)
        problems.push_back(
            {VehicleField::Torque, -1,
             "give " + Count(kMinTorquePoints) + " to " + Count(kMaxTorquePoints) + " points, not " + Count(nPoints)});
    const std::string strQuantity = IsPower(curve.unit) ? "power" : "torque";
    for (std::size_t i = 0; i < nPoints; ++i) {
        const TorquePoint& point = curve.points[i];
        const int nIndex = static_cast<int>(i);
        if (!IsPositive(point.rpm))
            problems.push_back({VehicleField::TorqueRpm, nIndex, "RPM must be a positive number"});
        else if (i > 0 && !(point.rpm > curve.points[i - 1].rpm))
            problems.push_back({VehicleField::TorqueRpm, nIndex, "RPM must rise from point to point"});
        if (!std::isfinite(point.value))
            problems.push_back({VehicleField::TorqueValue, nIndex, strQuantity + " must be a finite number"});
        else if (point.value < 0)
            problems.push_back({VehicleField::TorqueValue, nIndex, strQuantity + " must not be negative"});
    }
    return problems;
}

std::vector<VehicleProblem> ValidateVehicle(const Vehicle& vehicle)
{
    std::vector<VehicleProblem> problems = ValidateGearbox(vehicle.gearbox);
    ValidateTire(vehicle.tire, problems);
    const Engine& engine = vehicle.engine;
    if (!IsPositive(engine.redlineRpm)) {
        problems.push_back({VehicleField::Redline, -1, "the redline must be a positive number"});
    } else if (!engine.torque.points.empty() && IsPositive(engine.torque.points.front().rpm) &&
               engine.redlineRpm <= engine.torque.points.front().rpm) {
        problems.push_back({VehicleField::Redline, -1,
                            "the redline must be above the torque curve's first point (" +
                                CrtFormat("%g", {engine.torque.points.front().rpm}) + " RPM)"});
    }
    const std::vector<VehicleProblem> curveProblems = ValidateTorqueCurve(engine.torque);
    problems.insert(problems.end(), curveProblems.begin(), curveProblems.end());
    ValidateRoad(vehicle.road, problems);
    return problems;
}

std::string_view TopSpeedLimitName(TopSpeedLimit limit)
{
    switch (limit) {
    case TopSpeedLimit::Redline:
        return "redline";
    case TopSpeedLimit::RoadLoad:
        return "road load";
    default:
        return {};
    }
}

std::string GearOrdinal(int nGear)
{
    const char* pszSuffix = nGear == 1 ? "st" : nGear == 2 ? "nd" : nGear == 3 ? "rd" : "th";
    return CrtFormat("%d%s", {nGear, std::string_view(pszSuffix)});
}

std::optional<CPerformanceModel> CPerformanceModel::Build(const Vehicle& vehicle)
{
    if (!ValidateVehicle(vehicle).empty())
        return std::nullopt;
    CPerformanceModel model;
    const TorqueCurve& curve = vehicle.engine.torque;
    model.m_redlineRpm = vehicle.engine.redlineRpm;
    // Up to the lower of the redline and the last point; a redline between points ends the range there.
    const double topRpm = std::min(model.m_redlineRpm, curve.points.back().rpm);
    for (const TorquePoint& point : curve.points) {
        const double torque = TorqueNewtonMetres(curve.unit, point);
        if (point.rpm < topRpm) {
            model.m_rpms.push_back(point.rpm);
            model.m_torques.push_back(torque);
            continue;
        }
        const double below = model.m_torques.back();
        const double share = (topRpm - model.m_rpms.back()) / (point.rpm - model.m_rpms.back());
        model.m_rpms.push_back(topRpm);
        model.m_torques.push_back(below + (torque - below) * share);
        break;
    }

    const RoadLoad& road = vehicle.road;
    const double circumference = *Circumference(vehicle.tire);
    const double radius = circumference / (2.0 * std::numbers::pi);
    const std::vector<double>& finalDrives = vehicle.gearbox.finalDrives;
    for (std::size_t i = 0; i < vehicle.gearbox.forward.size(); ++i) {
        const double ratio = vehicle.gearbox.forward[i];
        const double finalDrive = finalDrives.size() == 1 ? finalDrives.front() : finalDrives[i];
        const double overall = ratio * finalDrive;
        model.m_gears.push_back({ratio, finalDrive, overall, circumference / (kSecondsPerMinute * overall),
                                 overall * road.efficiency / radius});
    }

    const double massKg = road.mass * (road.massUnit == MassUnit::Pounds ? kKilogramsPerPound : 1.0);
    const double areaFactor = road.areaUnit == AreaUnit::SquareFeet ? kSquareMetresPerSquareFoot : 1.0;
    const double dragArea = road.cdA.value_or(road.cd * road.frontalArea) * areaFactor;
    const double angle = std::atan(road.gradePercent / 100.0);
    model.m_rollingAndGradeN = massKg * kStandardGravity * (road.rollingResistance * std::cos(angle) + std::sin(angle));
    model.m_dragNPerSpeedSquared = 0.5 * road.airDensity * dragArea;
    return model;
}

const CPerformanceModel::GearModel& CPerformanceModel::Gear(int nGear) const
{
    return m_gears.at(static_cast<std::size_t>(nGear - 1)); // throws std::out_of_range for a gear it does not have
}

double CPerformanceModel::OverallRatio(int nGear) const
{
    return Gear(nGear).overallRatio;
}

double CPerformanceModel::SpeedKmhAtRpm(int nGear, double rpm) const
{
    return rpm * Gear(nGear).metresPerSecondPerRpm * kKmhPerMetrePerSecond;
}

std::optional<double> CPerformanceModel::TorqueAt(double rpm) const
{
    if (!(rpm >= m_rpms.front() && rpm <= m_rpms.back()))
        return std::nullopt;
    return TorqueWithin(rpm);
}

// Between the two points around the RPM; a hair beyond either end, as rounding leaves it, carries the end piece on.
double CPerformanceModel::TorqueWithin(double rpm) const
{
    const std::size_t k =
        static_cast<std::size_t>(std::upper_bound(m_rpms.begin() + 1, m_rpms.end() - 1, rpm) - m_rpms.begin());
    return m_torques[k - 1] + (m_torques[k] - m_torques[k - 1]) * (rpm - m_rpms[k - 1]) / (m_rpms[k] - m_rpms[k - 1]);
}

double CPerformanceModel::RoadLoadAt(double kmh) const
{
    const double metresPerSecond = kmh / kKmhPerMetrePerSecond;
    return m_rollingAndGradeN + m_dragNPerSpeedSquared * metresPerSecond * metresPerSecond;
}

double CPerformanceModel::ExcessForce(const GearModel& gear, double rpm) const
{
    const double metresPerSecond = rpm * gear.metresPerSecondPerRpm;
    return gear.newtonsPerNewtonMetre * TorqueWithin(rpm) - m_rollingAndGradeN -
           m_dragNPerSpeedSquared * metresPerSecond * metresPerSecond;
}

// In this gear's RPM: the next gear turns at nextPerThis times it. The difference of the two forces is linear between
// the points of either curve, so it is followed down from the top, piece by piece, to where it first turns negative.
std::optional<double> CPerformanceModel::CrossingRpm(std::size_t nGearIndex) const
{
    const GearModel& gear = m_gears[nGearIndex];
    const GearModel& next = m_gears[nGearIndex + 1];
    const double nextPerThis = next.overallRatio / gear.overallRatio;
    const double bottom = m_rpms.front();
    const double top = m_rpms.back();
    const auto margin = [&](double rpm) {
        return next.newtonsPerNewtonMetre * TorqueWithin(rpm * nextPerThis) -
               gear.newtonsPerNewtonMetre * TorqueWithin(rpm);
    };
    if (top * nextPerThis < bottom || top * nextPerThis > top || margin(top) < 0)
        return std::nullopt;
    // Below this the next gear turns slower than the curve's first point.
    const double lowest = std::max(bottom, bottom / nextPerThis);
    double rpm = top;
    double atRpm = margin(top);
    std::size_t nThis = m_rpms.size();
    std::size_t nNext = m_rpms.size();
    while (rpm > lowest) {
        while (nThis > 0 && m_rpms[nThis - 1] >= rpm)
            --nThis;
        while (nNext > 0 && m_rpms[nNext - 1] / nextPerThis >= rpm)
            --nNext;
        double below = lowest;
        if (nThis > 0)
            below = std::max(below, m_rpms[nThis - 1]);
        if (nNext > 0)
            below = std::max(below, m_rpms[nNext - 1] / nextPerThis);
        const double atBelow = margin(below);
        // Measured from the top end, so that a difference of exactly 0 there gives that end exactly.
        if (atBelow < 0)
            return rpm - (rpm - below) * atRpm / (atRpm - atBelow);
        rpm = below;
        atRpm = atBelow;
    }
    return lowest;
}

Upshift CPerformanceModel::ComputeUpshift(std::size_t nGearIndex) const
{
    const GearModel& gear = m_gears[nGearIndex];
    const GearModel& next = m_gears[nGearIndex + 1];
    const std::optional<double> crossing = CrossingRpm(nGearIndex);
    Upshift upshift;
    upshift.rpm = crossing.value_or(m_rpms.back());
    upshift.bAtRedline = upshift.rpm >= m_rpms.back();
    upshift.speedKmh = upshift.rpm * gear.metresPerSecondPerRpm * kKmhPerMetrePerSecond;
    upshift.rpmAfter = upshift.rpm * next.overallRatio / gear.overallRatio;
    upshift.wheelForceBeforeN = gear.newtonsPerNewtonMetre * TorqueWithin(upshift.rpm);
    // A crossing lies within the next gear's range by its making; a shift at the redline may land below it.
    const std::optional<double> torqueAfter = crossing ? TorqueWithin(upshift.rpmAfter) : TorqueAt(upshift.rpmAfter);
    if (torqueAfter)
        upshift.wheelForceAfterN = next.newtonsPerNewtonMetre * *torqueAfter;
    return upshift;
}

// Down from the top, piece by piece: on each the excess force is a parabola (a line without drag) in the RPM.
void CPerformanceModel::ComputeTopSpeed(std::size_t nGearIndex, GearPerformance& performance) const
{
    const GearModel& gear = m_gears[nGearIndex];
    const std::size_t nTop = m_rpms.size() - 1;
    const auto found = [&](double rpm, TopSpeedLimit limit) {
        performance.topSpeedKmh = rpm * gear.metresPerSecondPerRpm * kKmhPerMetrePerSecond;
        performance.topSpeedLimit = limit;
    };
    if (ExcessForce(gear, m_rpms[nTop]) >= 0)
        return found(m_rpms[nTop], TopSpeedLimit::Redline);
    const double dragPerRpmSquared = m_dragNPerSpeedSquared * gear.metresPerSecondPerRpm * gear.metresPerSecondPerRpm;
    for (std::size_t k = nTop; k > 0; --k) {
        const double start = m_rpms[k - 1];
        const double length = m_rpms[k] - start;
        const double forceSlope = gear.newtonsPerNewtonMetre * (m_torques[k] - m_torques[k - 1]) / length;
        const std::optional<double> root = HighestRoot(dragPerRpmSquared, forceSlope - 2.0 * dragPerRpmSquared * start,
                                                       ExcessForce(gear, start), length);
        if (root)
            return found(start + *root, TopSpeedLimit::RoadLoad);
    }
}

PerformanceAnalysis CPerformanceModel::Analyse() const
{
    PerformanceAnalysis analysis;
    for (std::size_t i = 0; i < m_gears.size(); ++i) {
        const GearModel& gear = m_gears[i];
        GearPerformance performance;
        performance.nGear = static_cast<int>(i) + 1;
        performance.ratio = gear.ratio;
        performance.finalDrive = gear.finalDrive;
        performance.overallRatio = gear.overallRatio;
        performance.speedAtRedlineKmh = m_redlineRpm * gear.metresPerSecondPerRpm * kKmhPerMetrePerSecond;
        if (i + 1 < m_gears.size())
            performance.upshift = ComputeUpshift(i);
        ComputeTopSpeed(i, performance);
        if (performance.topSpeedKmh && (!analysis.topSpeed || *performance.topSpeedKmh > analysis.topSpeed->kmh))
            analysis.topSpeed = VehicleTopSpeed{*performance.topSpeedKmh, performance.nGear, performance.topSpeedLimit};
        analysis.gears.push_back(performance);
    }
    return analysis;
}

std::vector<ForcePoint> CPerformanceModel::ForceCurve(int nGear) const
{
    const GearModel& gear = Gear(nGear);
    std::vector<ForcePoint> points;
    for (std::size_t k = 0; k < m_rpms.size(); ++k)
        points.push_back({m_rpms[k] * gear.metresPerSecondPerRpm * kKmhPerMetrePerSecond,
                          m_torques[k] * gear.newtonsPerNewtonMetre});
    return points;
}

std::vector<ForcePoint> CPerformanceModel::RoadLoadCurve(double maxKmh, int nPoints) const
{
    const int nCount = std::max(nPoints, 2);
    std::vector<ForcePoint> points;
    for (int i = 0; i < nCount; ++i) {
        const double kmh = maxKmh * i / (nCount - 1);
        points.push_back({kmh, RoadLoadAt(kmh)});
    }
    return points;
}

std::optional<PerformanceAnalysis> AnalysePerformance(const Vehicle& vehicle)
{
    const std::optional<CPerformanceModel> model = CPerformanceModel::Build(vehicle);
    if (!model)
        return std::nullopt;
    return model->Analyse();
}
