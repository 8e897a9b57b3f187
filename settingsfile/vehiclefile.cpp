#include "settingsfile/vehiclefile.h"

#include <algorithm>
#include <array>

#include "numtext/asciitext.h"
#include "numtext/numtext.h"
#include "settingsfile/jsonfields.h"

namespace {

struct TorqueUnitName
{
    TorqueUnit unit;
    std::string_view strFileName;
    std::string_view strCsvHeader;
};

constexpr std::array<TorqueUnitName, 5> kTorqueUnits{{
    {TorqueUnit::NewtonMetres, "Nm", "torque_nm"},
    {TorqueUnit::PoundFeet, "lbft", "torque_lbft"},
    {TorqueUnit::Kilowatts, "kW", "power_kw"},
    {TorqueUnit::Horsepower, "hp", "power_hp"},
    {TorqueUnit::Ps, "PS", "power_ps"},
}};

// In the order of TireKind, MassUnit and AreaUnit.
constexpr std::array<std::string_view, 4> kTireKeys = {"diameterMm", "diameterIn", "size", "revsPerMile"};
constexpr std::array<std::string_view, 2> kMassKeys = {"massKg", "massLb"};
constexpr std::array<std::string_view, 2> kFrontalAreaKeys = {"frontalAreaM2", "frontalAreaFt2"};
constexpr std::array<std::string_view, 2> kDragAreaKeys = {"cdA", "cdAFt2"};

constexpr std::string_view kPointsKey = "engine.torque.points";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kCsvHeaderReason =
    "the first line must be rpm, then torque_nm, torque_lbft, power_kw, power_hp or power_ps";
constexpr std::string_view kCsvPointReason = "give the RPM and the torque or power: two numbers and a comma";

double ReadMember(const Json& object, std::string_view strName, const std::string& strObjectKey)
{
    return ReadNumber(RequireMember(object, strName, strObjectKey), ChildKey(strObjectKey, strName));
}

void ReadOptionalRoad(const Json& object, std::string_view strName, double& value)
{
    if (const Json* pMember = FindMember(object, strName))
        value = ReadNumber(*pMember, ChildKey("road", strName));
}

const Json& RequireObjectMember(const Json& object, std::string_view strName, const std::string& strObjectKey)
{
    return RequireObject(RequireMember(object, strName, strObjectKey), ChildKey(strObjectKey, strName));
}

Tire ReadTire(const Json& object)
{
    Tire tire;
    const std::size_t nKind = RequireOneOf(object, kTireKeys, "tire");
    tire.kind = static_cast<TireKind>(nKind);
    const Json& value = object[kTireKeys[nKind]];
    const std::string strKey = ChildKey("tire", kTireKeys[nKind]);
    if (tire.kind == TireKind::Size)
        tire.strSize = ReadString(value, strKey);
    else
        tire.value = ReadNumber(value, strKey);
    return tire;
}

Engine ReadEngine(const Json& object)
{
    Engine engine;
    engine.redlineRpm = ReadMember(object, "redlineRpm", "engine");
    const Json& torque = RequireObjectMember(object, "torque", "engine");
    const std::string strUnit = ReadString(RequireMember(torque, "unit", "engine.torque"), "engine.torque.unit");
    const auto unit = std::find_if(kTorqueUnits.begin(), kTorqueUnits.end(),
                                   [&](const TorqueUnitName& name) { return name.strFileName == strUnit; });
    if (unit == kTorqueUnits.end())
        throw JsonValueError{"engine.torque.unit", "must be Nm, lbft, kW, hp or PS"};
    engine.torque.unit = unit->unit;
    const Json& points = RequireArray(RequireMember(torque, "points", "engine.torque"), std::string(kPointsKey));
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::string strKey = IndexKey(std::string(kPointsKey), i);
        if (!points[i].is_array() || points[i].size() != 2)
            throw JsonValueError{strKey, "must be [rpm, value]"};
        engine.torque.points.push_back(
            {ReadNumber(points[i][0], strKey + "[0]"), ReadNumber(points[i][1], strKey + "[1]")});
    }
    return engine;
}

RoadLoad ReadRoad(const Json& object)
{
    RoadLoad road;
    const std::size_t nMass = RequireOneOf(object, kMassKeys, "road");
    road.massUnit = static_cast<MassUnit>(nMass);
    road.mass = ReadMember(object, kMassKeys[nMass], "road");
    // A drag area given whole stands in for the coefficient and the frontal area.
    const bool bDragArea =
        FindMember(object, kDragAreaKeys[0]) != nullptr || FindMember(object, kDragAreaKeys[1]) != nullptr;
    const std::size_t nArea = RequireOneOf(object, bDragArea ? kDragAreaKeys : kFrontalAreaKeys, "road");
    road.areaUnit = static_cast<AreaUnit>(nArea);
    if (bDragArea) {
        road.cdA = ReadMember(object, kDragAreaKeys[nArea], "road");
    } else {
        road.cd = ReadMember(object, "cd", "road");
        road.frontalArea = ReadMember(object, kFrontalAreaKeys[nArea], "road");
    }
    ReadOptionalRoad(object, "rollingResistance", road.rollingResistance);
    ReadOptionalRoad(object, "efficiency", road.efficiency);
    ReadOptionalRoad(object, "airDensity", road.airDensity);
    ReadOptionalRoad(object, "gradePercent", road.gradePercent);
    return road;
}

// The file's key for a problem ValidateVehicle found.
std::string ProblemKey(const VehicleProblem& problem, const Vehicle& vehicle)
{
    const std::string strPoint =
        IndexKey(std::string(kPointsKey), static_cast<std::size_t>(std::max(problem.nIndex, 0)));
    const auto road = [](std::string_view strName) {
        return ChildKey("road", strName);
    };
    switch (problem.field) {
    case VehicleField::Forward:
    case VehicleField::Reverse:
    case VehicleField::FinalDrive:
        return GearboxProblemKey(problem, vehicle.gearbox, "gearbox");
    case VehicleField::Tire:
        return ChildKey("tire", kTireKeys[static_cast<std::size_t>(vehicle.tire.kind)]);
    case VehicleField::Redline:
        return "engine.redlineRpm";
    case VehicleField::Torque:
        return std::string(kPointsKey);
    case VehicleField::TorqueRpm:
        return strPoint + "[0]";
    case VehicleField::TorqueValue:
        return strPoint + "[1]";
    case VehicleField::Mass:
        return road(kMassKeys[static_cast<std::size_t>(vehicle.road.massUnit)]);
    case VehicleField::DragCoefficient:
        return road("cd");
    case VehicleField::FrontalArea:
        return road(kFrontalAreaKeys[static_cast<std::size_t>(vehicle.road.areaUnit)]);
    case VehicleField::DragArea:
        return road(kDragAreaKeys[static_cast<std::size_t>(vehicle.road.areaUnit)]);
    case VehicleField::RollingResistance:
        return road("rollingResistance");
    case VehicleField::Efficiency:
        return road("efficiency");
    case VehicleField::AirDensity:
        return road("airDensity");
    case VehicleField::Grade:
        return road("gradePercent");
    }
    return {};
}

Vehicle ReadVehicle(const Json& json)
{
    if (!json.is_object())
        throw JsonValueError{"", "this is no vehicle file: it holds no JSON object"};
    RequireFormat(json, kVehicleFileFormat, kVehicleFileVersion, "vehicle file");
    Vehicle vehicle;
    if (const Json* pName = FindMember(json, "name"))
        vehicle.strName = ReadString(*pName, "name");
    vehicle.gearbox = ReadGearbox(RequireObjectMember(json, "gearbox", ""), "gearbox", true);
    vehicle.tire = ReadTire(RequireObjectMember(json, "tire", ""));
    vehicle.engine = ReadEngine(RequireObjectMember(json, "engine", ""));
    vehicle.road = ReadRoad(RequireObjectMember(json, "road", ""));
    const std::vector<VehicleProblem> problems = ValidateVehicle(vehicle);
    if (!problems.empty())
        throw JsonValueError{ProblemKey(problems.front(), vehicle), problems.front().strReason};
    return vehicle;
}

std::string_view TrimBlanks(std::string_view text)
{
    const std::size_t nStart = text.find_first_not_of(" \t\r");
    if (nStart == std::string_view::npos)
        return {};
    return text.substr(nStart, text.find_last_not_of(" \t\r") + 1 - nStart);
}

} // namespace

std::string FormatVehicleFile(const Vehicle& vehicle)
{
    OrderedJson json;
    json["format"] = kVehicleFileFormat;
    json["version"] = kVehicleFileVersion;
    json["name"] = vehicle.strName;
    WriteGearbox(json["gearbox"], vehicle.gearbox);
    const Tire& tire = vehicle.tire;
    const std::string strTireKey(kTireKeys[static_cast<std::size_t>(tire.kind)]);
    json["tire"][strTireKey] = tire.kind == TireKind::Size ? OrderedJson(tire.strSize) : JsonNumber(tire.value);

    OrderedJson& engine = json["engine"];
    engine["redlineRpm"] = JsonNumber(vehicle.engine.redlineRpm);
    const auto unit = std::find_if(kTorqueUnits.begin(), kTorqueUnits.end(),
                                   [&](const TorqueUnitName& name) { return name.unit == vehicle.engine.torque.unit; });
    engine["torque"]["unit"] = unit->strFileName;
    OrderedJson& points = engine["torque"]["points"] = OrderedJson::array();
    for (const TorquePoint& point : vehicle.engine.torque.points)
        points.push_back(OrderedJson::array({JsonNumber(point.rpm), JsonNumber(point.value)}));

    const RoadLoad& road = vehicle.road;
    const std::size_t nArea = static_cast<std::size_t>(road.areaUnit);
    OrderedJson& roadJson = json["road"];
    roadJson[std::string(kMassKeys[static_cast<std::size_t>(road.massUnit)])] = JsonNumber(road.mass);
    if (road.cdA) {
        roadJson[std::string(kDragAreaKeys[nArea])] = JsonNumber(*road.cdA);
    } else {
        roadJson["cd"] = JsonNumber(road.cd);
        roadJson[std::string(kFrontalAreaKeys[nArea])] = JsonNumber(road.frontalArea);
    }
    roadJson["rollingResistance"] = JsonNumber(road.rollingResistance);
    roadJson["efficiency"] = JsonNumber(road.efficiency);
    roadJson["airDensity"] = JsonNumber(road.airDensity);
    roadJson["gradePercent"] = JsonNumber(road.gradePercent);
    // A name that is no UTF-8 is written with U+FFFD rather than refused.
    return json.dump(2, ' ', false, OrderedJson::error_handler_t::replace) + "\n";
}

FileWriteResult SaveVehicleFile(const std::string& strPath, const Vehicle& vehicle)
{
    return WriteFileAtomically(strPath, FormatVehicleFile(vehicle));
}

ReadOutcome<Vehicle> ParseVehicleFile(std::string_view strName, std::string_view bytes)
{
    try {
        return {ReadVehicle(Json::parse(bytes.begin(), bytes.end())), {}};
    } catch (const Json::exception& error) {
        return {std::nullopt, JsonErrorMessage(strName, bytes, error)};
    } catch (const JsonValueError& error) {
        return {std::nullopt,
                std::string(strName) + ": " + (error.strKey.empty() ? "" : error.strKey + ": ") + error.strReason};
    }
}

ReadOutcome<Vehicle> ReadVehicleFile(const std::string& strPath)
{
    return ReadFileWith(strPath, &ParseVehicleFile);
}

ReadOutcome<TorqueCurve> ParseTorqueCsv(std::string_view strName, std::string_view bytes)
{
    const auto failed = [strName](int nLine, std::string_view strReason) {
        return ReadOutcome<TorqueCurve>{std::nullopt, std::string(strName) +
                                                          (nLine > 0 ? CrtFormat(":%d", {nLine}) : "") + ": " +
                                                          std::string(strReason)};
    };
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    std::optional<TorqueCurve> curve;
    std::vector<int> pointLines;
    for (int nLine = 1; !bytes.empty(); ++nLine) {
        const std::size_t nEnd = std::min(bytes.find('\n'), bytes.size());
        const std::string_view line = TrimBlanks(bytes.substr(0, nEnd));
        bytes.remove_prefix(std::min(nEnd + 1, bytes.size()));
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t nComma = line.find(',');
        if (nComma == std::string_view::npos || line.find(',', nComma + 1) != std::string_view::npos)
            return failed(nLine, curve ? kCsvPointReason : kCsvHeaderReason);
        const std::string_view first = TrimBlanks(line.substr(0, nComma));
        const std::string_view second = TrimBlanks(line.substr(nComma + 1));
        if (curve) {
            const std::optional<double> rpm = ParseFloatText(first);
            const std::optional<double> value = ParseFloatText(second);
            if (!rpm || !value)
                return failed(nLine, kCsvPointReason);
            curve->points.push_back({*rpm, *value});
            pointLines.push_back(nLine);
            continue;
        }
        const auto unit = std::find_if(kTorqueUnits.begin(), kTorqueUnits.end(), [&](const TorqueUnitName& name) {
            return EqualsNoCase(second, name.strCsvHeader);
        });
        if (!EqualsNoCase(first, "rpm") || unit == kTorqueUnits.end())
            return failed(nLine, kCsvHeaderReason);
        curve = TorqueCurve{unit->unit, {}};
    }
    if (!curve)
        return failed(0, kCsvHeaderReason);
    const std::vector<VehicleProblem> problems = ValidateTorqueCurve(*curve);
    if (!problems.empty()) {
        const VehicleProblem& problem = problems.front();
        return failed(problem.nIndex < 0 ? 0 : pointLines[static_cast<std::size_t>(problem.nIndex)], problem.strReason);
    }
    return {curve, {}};
}

ReadOutcome<TorqueCurve> ReadTorqueCsv(const std::string& strPath)
{
    return ReadFileWith(strPath, &ParseTorqueCsv);
}
