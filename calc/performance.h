#pragma once

// Where to shift and how fast a car goes: wheel force, optimal upshifts and top speeds from a gearbox of up to ten
// speeds, a tire, an engine's torque curve and the road load. A Vehicle holds what the user entered, in the units
// entered (so a file or a window gives it back as typed); ValidateVehicle says what is wrong with it, field by
// field; CPerformanceModel turns a valid one into SI figures and answers every question exactly: the force is
// piecewise linear in road speed, so each crossing of two gears' forces, and of a force with the quadratic road
// load, is solved on its piece in closed form, never by stepping. Speeds use the true circumference (pi x
// diameter), unlike the calculator's 3.124. Uses the standard library, the tire sizes and the number texts.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr double kStandardGravity = 9.80665;                     // m/s²
inline constexpr double kMetresPerMile = 1609.344;                      // a tire's revolutions per mile
inline constexpr double kNewtonMetresPerPoundFoot = 1.3558179483314004; // 0.45359237 kg x g x 0.3048 m
inline constexpr double kWattsPerHorsepower = 745.7; // mechanical horsepower, as engine makers round it
inline constexpr double kWattsPerPs = 735.5;         // metric horsepower (PS, CV, ch)
inline constexpr double kKilogramsPerPound = 0.45359237;
inline constexpr double kNewtonsPerPoundForce = kKilogramsPerPound * kStandardGravity;
inline constexpr double kSquareMetresPerSquareFoot = 0.09290304;

inline constexpr double kDefaultRollingResistance = 0.012; // a car tire on asphalt
inline constexpr double kDefaultEfficiency = 0.90;         // gearbox and final drive together
inline constexpr double kDefaultAirDensity = 1.225;        // kg/m³, sea level at 15 °C
inline constexpr double kDefaultGradePercent = 0.0;

inline constexpr std::size_t kMaxForwardGears = 10;
inline constexpr std::size_t kMinTorquePoints = 3;
// A dynamometer sheet every 25 RPM from idle to 20000 RPM fits; more is a file that is something else.
inline constexpr std::size_t kMaxTorquePoints = 1000;
// Points of the road-load curve the chart draws: a parabola in 100 chords is smooth at any size a screen has.
inline constexpr int kRoadLoadCurvePoints = 101;

struct Gearbox
{
    std::vector<double> forward{};     // 1st, 2nd...: 1 to kMaxForwardGears ratios
    std::optional<double> reverse{};   // as given, either sign; the analysis does not use it
    std::vector<double> finalDrives{}; // one for every gear, or one per forward gear (a dual-clutch box)

    bool operator==(const Gearbox&) const = default;
};

enum class TireKind
{
    DiameterMm,
    DiameterIn,
    Size, // any notation ParseTireSize reads: 225/45R17, 33x12.50R15...
    RevsPerMile,
};

struct Tire
{
    TireKind kind = TireKind::DiameterMm;
    double value = 0;      // the diameter or the revolutions per mile
    std::string strSize{}; // TireKind::Size

    bool operator==(const Tire&) const = default;
};

enum class TorqueUnit
{
    NewtonMetres,
    PoundFeet,
    Kilowatts, // power at the point's RPM, turned into torque there
    Horsepower,
    Ps,
};

struct TorquePoint
{
    double rpm = 0;
    double value = 0; // in the curve's unit

    bool operator==(const TorquePoint&) const = default;
};

// Linear in torque between points and nothing outside them.
struct TorqueCurve
{
    TorqueUnit unit = TorqueUnit::NewtonMetres;
    std::vector<TorquePoint> points{}; // RPM strictly rising

    bool operator==(const TorqueCurve&) const = default;
};

struct Engine
{
    double redlineRpm = 0;
    TorqueCurve torque{};

    bool operator==(const Engine&) const = default;
};

enum class MassUnit
{
    Kilograms,
    Pounds,
};

enum class AreaUnit
{
    SquareMetres,
    SquareFeet,
};

struct RoadLoad
{
    double mass = 0;
    MassUnit massUnit = MassUnit::Kilograms;
    double cd = 0;
    double frontalArea = 0;
    std::optional<double> cdA{};                // the drag area given directly, in place of cd x frontalArea
    AreaUnit areaUnit = AreaUnit::SquareMetres; // of frontalArea and cdA
    double rollingResistance = kDefaultRollingResistance;
    double efficiency = kDefaultEfficiency;
    double airDensity = kDefaultAirDensity;     // kg/m³
    double gradePercent = kDefaultGradePercent; // uphill positive

    bool operator==(const RoadLoad&) const = default;
};

struct Vehicle
{
    std::string strName{};
    Gearbox gearbox{};
    Tire tire{};
    Engine engine{};
    RoadLoad road{};

    bool operator==(const Vehicle&) const = default;
};

// The part of a vehicle a problem is about, for whoever shows it beside its field or its file key.
enum class VehicleField
{
    Forward, // the count, or a ratio (nIndex)
    Reverse,
    FinalDrive, // the count, or one final drive (nIndex)
    Tire,
    Redline,
    Torque,    // the count of points
    TorqueRpm, // nIndex: the point
    TorqueValue,
    Mass,
    DragCoefficient,
    FrontalArea,
    DragArea,
    RollingResistance,
    Efficiency,
    AirDensity,
    Grade,
};

struct VehicleProblem
{
    VehicleField field = VehicleField::Forward;
    int nIndex = -1;       // the ratio, final drive or point, from 0; -1 for the field as a whole
    std::string strReason; // "RPM must rise from point to point"

    // A sentence naming the field: "Torque curve: RPM must rise from point to point (point 3)."
    std::string Text() const;
    bool operator==(const VehicleProblem&) const = default;
};

// Every problem, in the order of the fields; none for a vehicle the model can be built from. The parts are
// judged alone too: a gearbox preset has no final drive (bNeedFinalDrive false), a torque curve comes from a CSV.
std::vector<VehicleProblem> ValidateGearbox(const Gearbox& gearbox, bool bNeedFinalDrive = true);
std::vector<VehicleProblem> ValidateTorqueCurve(const TorqueCurve& curve);
std::vector<VehicleProblem> ValidateVehicle(const Vehicle& vehicle);

enum class TopSpeedLimit
{
    None,
    Redline,  // the force still beats the road load at the redline
    RoadLoad, // the force falls to the road load below the redline
};

// "redline", "road load"; empty for None.
std::string_view TopSpeedLimitName(TopSpeedLimit limit);
// "1st", "2nd", "3rd", "4th"... "10th" (up to 20).
std::string GearOrdinal(int nGear);

// The optimal upshift into the next gear: at the lowest speed from which the next gear gives at least this gear's
// wheel force all the way up to this gear's redline, or at the redline when this gear still pulls harder there (or
// the next gear has no force there). Where the torque curve ends below the redline, its last point stands in for
// the redline here and in the top speeds: nothing is assumed beyond the table.
struct Upshift
{
    double rpm = 0; // in this gear
    bool bAtRedline = false;
    double speedKmh = 0;
    double rpmAfter = 0; // in the next gear at that speed
    double wheelForceBeforeN = 0;
    std::optional<double> wheelForceAfterN; // nothing where the next gear's RPM falls below the torque curve
};

struct GearPerformance
{
    int nGear = 0; // from 1
    double ratio = 0;
    double finalDrive = 0;
    double overallRatio = 0;
    double speedAtRedlineKmh = 0;
    std::optional<Upshift> upshift; // nothing for the top gear
    // The highest speed up to the redline's at which the wheel force is at least the road load.
    std::optional<double> topSpeedKmh;
    TopSpeedLimit topSpeedLimit = TopSpeedLimit::None;
};

struct VehicleTopSpeed
{
    double kmh = 0;
    int nGear = 0; // the lowest gear that reaches it
    TopSpeedLimit limit = TopSpeedLimit::None;
};

struct PerformanceAnalysis
{
    std::vector<GearPerformance> gears;
    std::optional<VehicleTopSpeed> topSpeed; // the highest of the gears'; nothing when no gear has one
};

// A point of a chart's curve.
struct ForcePoint
{
    double kmh = 0;
    double newtons = 0;
};

// A valid vehicle in SI units: the torque curve as N·m over its usable range (the first point to the lower of the
// redline and the last point), each gear's overall ratio, road speed per RPM and wheel force per N·m, the road
// load's constant and quadratic terms.
class CPerformanceModel
{
public:
    // Nothing for a vehicle ValidateVehicle finds fault with.
    static std::optional<CPerformanceModel> Build(const Vehicle& vehicle);

    int GearCount() const { return static_cast<int>(m_gears.size()); }
    // Gears count from 1.
    double OverallRatio(int nGear) const;
    double SpeedKmhAtRpm(int nGear, double rpm) const;
    // Engine torque in N·m; nothing outside the usable range.
    std::optional<double> TorqueAt(double rpm) const;
    // R(v) = Crr·m·g·cos(a) + m·g·sin(a) + ½·ρ·CdA·v², a = atan(grade / 100).
    double RoadLoadAt(double kmh) const;

    PerformanceAnalysis Analyse() const;

    // The gear's wheel force at every point of the usable torque curve, by rising speed: exact, since the force
    // is linear between them.
    std::vector<ForcePoint> ForceCurve(int nGear) const;
    // The road load from standstill to maxKmh at nPoints evenly spaced speeds (at least 2).
    std::vector<ForcePoint> RoadLoadCurve(double maxKmh, int nPoints = kRoadLoadCurvePoints) const;

private:
    struct GearModel
    {
        double ratio;
        double finalDrive;
        double overallRatio;
        double metresPerSecondPerRpm;
        double newtonsPerNewtonMetre; // overall ratio x efficiency / tire radius
    };

    CPerformanceModel() = default;
    const GearModel& Gear(int nGear) const;
    // Torque at an RPM of the usable range.
    double TorqueWithin(double rpm) const;
    // Wheel force minus road load in a gear at an RPM of the range.
    double ExcessForce(const GearModel& gear, double rpm) const;
    std::optional<double> CrossingRpm(std::size_t nGearIndex) const;
    Upshift ComputeUpshift(std::size_t nGearIndex) const;
    void ComputeTopSpeed(std::size_t nGearIndex, GearPerformance& performance) const;

    std::vector<double> m_rpms;    // the usable range's points, the last one at its top
    std::vector<double> m_torques; // N·m
    double m_redlineRpm = 0;
    std::vector<GearModel> m_gears;
    double m_rollingAndGradeN = 0;     // the road load at standstill
    double m_dragNPerSpeedSquared = 0; // ½·ρ·CdA, N per (m/s)²
};

// Nothing for a vehicle ValidateVehicle finds fault with.
std::optional<PerformanceAnalysis> AnalysePerformance(const Vehicle& vehicle);
