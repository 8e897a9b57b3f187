#include "settingsfile/vehiclefile.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <set>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <unistd.h>

#include "settingsfile/axlesfile.h"
#include "settingsfile/presetsfile.h"
#include "tests/support/files.h"
#include "tests/support/vehicles.h"

namespace {

using Json = nlohmann::json;
using Change = std::function<void(Vehicle&)>;

// The format's own example: the published sports car, every road value given.
const std::string kSportsCarFile = R"({"format": "ratiograph-vehicle", "version": 1, "name": "Sports car",
 "gearbox": {"forward": [4.714, 3.143, 2.106, 1.667, 1.285, 1.000, 0.839, 0.667], "reverse": -3.295, "finalDrive": 3.31},
 "tire": {"diameterMm": 685.0},
 "engine": {"redlineRpm": 6500, "torque": {"unit": "Nm", "points": [[1000, 306], [2020, 385], [2990, 439], [3500, 450], [5000, 450], [6500, 367]]}},
 "road": {"massKg": 1741, "cd": 0.36, "frontalAreaM2": 2.42, "rollingResistance": 0.012, "efficiency": 0.90, "airDensity": 1.225, "gradePercent": 0}})";

std::string Replaced(std::string text, std::string_view from, std::string_view to)
{
    return text.replace(text.find(from), from.size(), to);
}

// Read as written, and written with exactly the documented keys; other units and tires under their own keys, each
// file the example with one text replaced.
TEST(VehicleFile, DocumentedKeysBothWays)
{
    EXPECT_EQ(ParseVehicleFile("car.rgvehicle", kSportsCarFile).value, SportsCar());
    EXPECT_EQ(Json::parse(FormatVehicleFile(SportsCar())), Json::parse(kSportsCarFile));
    const std::vector<std::tuple<Change, std::string, std::string>> rows = {
        {[](Vehicle& v) { v.tire.kind = TireKind::DiameterIn, v.tire.value = 26.97; }, "\"diameterMm\": 685.0",
         "\"diameterIn\": 26.97"},
        {[](Vehicle& v) { v.tire.kind = TireKind::Size, v.tire.value = 0, v.tire.strSize = "225/45R17"; },
         "\"diameterMm\": 685.0", "\"size\": \"225/45R17\""},
        {[](Vehicle& v) { v.tire.kind = TireKind::RevsPerMile, v.tire.value = 807.61; }, "\"diameterMm\": 685.0",
         "\"revsPerMile\": 807.61"},
        {[](Vehicle& v) { v.gearbox.finalDrives.assign(8, 3.1), v.gearbox.reverse.reset(); },
         "\"reverse\": -3.295, \"finalDrive\": 3.31", "\"finalDrive\": [3.1, 3.1, 3.1, 3.1, 3.1, 3.1, 3.1, 3.1]"},
        {[](Vehicle& v) { v.engine.torque.unit = TorqueUnit::PoundFeet; }, "\"Nm\"", "\"lbft\""},
        {[](Vehicle& v) { v.engine.torque.unit = TorqueUnit::Kilowatts; }, "\"Nm\"", "\"kW\""},
        {[](Vehicle& v) { v.engine.torque.unit = TorqueUnit::Horsepower; }, "\"Nm\"", "\"hp\""},
        {[](Vehicle& v) { v.engine.torque.unit = TorqueUnit::Ps; }, "\"Nm\"", "\"PS\""},
        {[](Vehicle& v) { v.road.massUnit = MassUnit::Pounds, v.road.areaUnit = AreaUnit::SquareFeet; },
         "\"massKg\": 1741, \"cd\": 0.36, \"frontalAreaM2\"", "\"massLb\": 1741, \"cd\": 0.36, \"frontalAreaFt2\""},
        {[](Vehicle& v) { v.road.cd = v.road.frontalArea = 0, v.road.cdA = 0.87; },
         "\"cd\": 0.36, \"frontalAreaM2\": 2.42", "\"cdA\": 0.87"},
        {[](Vehicle& v) {
             v.road.cd = v.road.frontalArea = 0, v.road.cdA = 9.4, v.road.areaUnit = AreaUnit::SquareFeet;
         },
         "\"cd\": 0.36, \"frontalAreaM2\": 2.42", "\"cdAFt2\": 9.4"},
        {[](Vehicle& v) { v.road.gradePercent = 6, v.road.airDensity = 1.2; }, "1.225, \"gradePercent\": 0",
         "1.2, \"gradePercent\": 6"},
    };
    for (const auto& [change, from, to] : rows) {
        Vehicle vehicle = SportsCar();
        change(vehicle);
        const std::string file = FormatVehicleFile(vehicle);
        EXPECT_EQ(Json::parse(file), Json::parse(Replaced(kSportsCarFile, from, to))) << file;
        EXPECT_EQ(ParseVehicleFile("car.rgvehicle", file).value, vehicle) << file;
    }
    // The defaults of what a file leaves out.
    const std::string strShort =
        Replaced(kSportsCarFile,
                 R"(, "rollingResistance": 0.012, "efficiency": 0.90, "airDensity": 1.225, "gradePercent": 0)", "");
    EXPECT_EQ(ParseVehicleFile("car.rgvehicle", strShort).value, SportsCar());
    Vehicle named = SportsCar();
    named.strName = "Bärbel's Käfer"; // written as UTF-8, not escaped
    EXPECT_NE(FormatVehicleFile(named).find("\"name\": \"Bärbel's Käfer\""), std::string::npos);
}

// Each fault with one message naming the file and the key or the place, nothing read, at once: 10 000 points, 200 MB,
// /dev/zero and a FIFO alike.
TEST(VehicleFile, BadFilesChangeNothing)
{
    const CScratchDir dir;
    const std::string strFile = dir.Path() + "/car.rgvehicle";
    const std::string strPoints = "[1000, 306], [2020, 385], [2990, 439], [3500, 450], [5000, 450], [6500, 367]";
    std::string manyPoints = "[1000, 1]";
    for (int i = 1; i < 10000; ++i)
        manyPoints += ", [" + std::to_string(1000 + i) + ", 1]";
    // The sports car's file with one text replaced (all of it for an empty one), and what follows the file's name.
    const std::vector<std::tuple<std::string, std::string, std::string>> rows = {
        {"[2990, 439]", "[1990, 439]", ": engine.torque.points[2][0]: RPM must rise from point to point"},
        {"[2020, 385]", "[2020, -385]", ": engine.torque.points[1][1]: torque must not be negative"},
        {"6500,", "\"6500 rpm\",", ": engine.redlineRpm: must be a number"},
        {"-3.295", "\"R\"", ": gearbox.reverse: must be a number"},
        {"{\"diameterMm\": 685.0}", "{}", ": tire: give one of diameterMm, diameterIn, size or revsPerMile"},
        {"6500,", "65OO,", ":4:29: syntax error"},
        {", [2990, 439], [3500, 450], [5000, 450], [6500, 367]", "",
         ": engine.torque.points: give 3 to 1000 points, not 2"},
        {"0.667]", "0.667, 0.5, 0.4, 0.3]", ": gearbox.forward: give 1 to 10 forward ratios, not 11"},
        {"2.106", "0", ": gearbox.forward[2]: a ratio must be a positive number"},
        {"\"version\": 1", "\"version\": 2", ": version: version 2 is not known; this program reads version 1"},
        {"", kSportsCarFile.substr(0, 200), ":3:10: syntax error"},
        {strPoints, manyPoints, ": engine.torque.points: give 3 to 1000 points, not 10000"},
        {"vehicle\"", "presets\"", ": format: must be \"ratiograph-vehicle\": this is no vehicle file"},
        {"685.0}", "685.0, \"size\": \"225/45R17\"}",
         ": tire: give one of diameterMm, diameterIn, size or revsPerMile"},
        {"\"Nm\"", "\"N·m\"", ": engine.torque.unit: must be Nm, lbft, kW, hp or PS"},
        {"1741", "1e400", ": number overflow parsing '1e400'"},
        {"\"road\"", "\"roads\"", ": road: missing"},
        {"[6500, 367]", "[6500]", ": engine.torque.points[5]: must be [rpm, value]"},
        {"", "[1]", ": this is no vehicle file: it holds no JSON object"},
        {"6500,", "900,", ": engine.redlineRpm: the redline must be above the torque curve's first point (1000 RPM)"},
        {"685.0", "0", ": tire.diameterMm: the diameter must be a positive number"},
        {"3.31", "0", ": gearbox.finalDrive: a final drive must be a positive number"},
        {"3.31", "[1, 2, 3, 4, 5, 6, 7, -8]", ": gearbox.finalDrive[7]: a final drive must be a positive number"},
        {"\"massKg\": 1741", "\"massLb\": 0", ": road.massLb: the mass must be a positive number"},
        {"0.36", "-1", ": road.cd: the drag coefficient must be a number of 0 or more"},
        {"2.42", "-1", ": road.frontalAreaM2: the frontal area must be a number of 0 or more"},
        {"\"cd\": 0.36, \"frontalAreaM2\": 2.42", "\"cdAFt2\": -1",
         ": road.cdAFt2: the drag area must be a number of 0 or more"},
        {"0.012", "-1", ": road.rollingResistance: the rolling resistance must be a number of 0 or more"},
        {"0.90", "1.5", ": road.efficiency: the efficiency must be above 0 and at most 1"},
        {"1.225", "-1", ": road.airDensity: the air density must be a number of 0 or more"},
        {"", "", ": larger than 1 MiB"},
    };
    ASSERT_EQ(mkfifo((dir.Path() + "/fifo").c_str(), 0600), 0);
    const auto expectRefused = [](const std::string& strPath, const std::string& expected) {
        const auto start = std::chrono::steady_clock::now();
        const ReadOutcome<Vehicle> read = ReadVehicleFile(strPath);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_TRUE(!read.value && read.strError.starts_with(expected)) << read.strError << "\n" << expected;
    };
    for (const auto& [from, to, expected] : rows) {
        ASSERT_TRUE(WriteBytes(strFile, from.empty() ? to : Replaced(kSportsCarFile, from, to)));
        ASSERT_EQ(expected.ends_with("MiB") ? truncate(strFile.c_str(), 200'000'000) : 0, 0);
        expectRefused(strFile, strFile + expected);
    }
    for (const std::string& strPath : {std::string("/dev/zero"), dir.Path() + "/fifo"})
        expectRefused(strPath, strPath + ": not a regular file but a device, a pipe or a socket");
    expectRefused(dir.Path() + "/none", dir.Path() + "/none: No such file or directory");
}

// Headers in any case and every unit; comments, blank lines, CR LF and a byte order mark; faults by line.
TEST(TorqueCsv, ReadsPointsOrSaysWhichLine)
{
    const std::string strHeader =
        ": the first line must be rpm, then torque_nm, torque_lbft, power_kw, power_hp or power_ps";
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"rpm,torque_nm\n1000,306\n2020,385\n2990,439", "0: 1000 306, 2020 385, 2990 439, "},
        {"\xEF\xBB\xBF# dyno\r\n RPM , Power_kW\r\n\r\n1000, 32.04\r\n  # mid\r\n2000,81\r\n3000,137\r\n",
         "2: 1000 32.04, 2000 81, 3000 137, "},
        {"rpm,torque_lbft\n1,1\n2,1\n3,1\n", "1: 1 1, 2 1, 3 1, "},
        {"rpm,power_hp\n1,1\n2,1\n3,1\n", "3: 1 1, 2 1, 3 1, "},
        {"rpm,power_ps\n1,1\n2,1\n3,1\n", "4: 1 1, 2 1, 3 1, "},
        {"rpm,torque\n1,1\n2,1\n3,1\n", "t.csv:1" + strHeader},
        {"rpm;torque_nm\n", "t.csv:1" + strHeader},
        {"# nothing\n\n", "t.csv" + strHeader},
        {"rpm,torque_nm\n1000,abc\n", "t.csv:2: give the RPM and the torque or power: two numbers and a comma"},
        {"rpm,torque_nm\n1000,1,2\n", "t.csv:2: give the RPM and the torque or power: two numbers and a comma"},
        {"rpm,torque_nm\n1000\n", "t.csv:2: give the RPM and the torque or power: two numbers and a comma"},
        {"rpm,torque_nm\n1000,1\n# a comment\n\n3000,1\n2000,1\n", "t.csv:6: RPM must rise from point to point"},
        {"rpm,torque_nm\n1000,1\n2000,-1\n3000,1\n", "t.csv:3: torque must not be negative"},
        {"rpm,torque_nm\n1000,1\n2000,1\n", "t.csv: give 3 to 1000 points, not 2"},
    };
    for (const auto& [bytes, expected] : rows) {
        const ReadOutcome<TorqueCurve> read = ParseTorqueCsv("t.csv", bytes);
        std::string text = read.strError;
        if (read.value) {
            text = std::to_string(static_cast<int>(read.value->unit)) + ": ";
            for (const TorquePoint& point : read.value->points)
                text += testing::PrintToString(point.rpm) + " " + testing::PrintToString(point.value) + ", ";
        }
        EXPECT_EQ(text, expected) << bytes;
    }
    const CScratchDir dir;
    ASSERT_TRUE(WriteBytes(dir.Path() + "/t.csv", "rpm,torque_nm\n1,1\n2,1\n"));
    EXPECT_EQ(ReadTorqueCsv(dir.Path() + "/t.csv").strError, dir.Path() + "/t.csv: give 3 to 1000 points, not 2");
}

// The shipped list: at least 12 sourced gearboxes of 5 to 10 speeds, the dual-clutch box on its two final drives; a
// 10-speed goes through the vehicle file with all ten ratios and shifts nine times.
TEST(Presets, ShippedList)
{
    const PresetList presets = ReadPresetsFile(RATIOGRAPH_PRESETS_FILE).value.value();
    std::set<std::size_t> speeds; // 0 for a preset without a source's address
    for (const GearboxPreset& preset : presets)
        speeds.insert(preset.strSource.find("http") == std::string::npos ? 0 : preset.gearbox.forward.size());
    EXPECT_EQ(std::pair(presets.size() >= 12, speeds), std::pair(true, std::set<std::size_t>{5, 6, 7, 8, 9, 10}));
    const auto find = [&](std::string_view strName) {
        return std::find_if(presets.begin(), presets.end(),
                            [&](const GearboxPreset& p) { return p.strName.starts_with(strName); })
            ->gearbox;
    };
    EXPECT_EQ(find("Hyundai D7UF1").finalDrives, (std::vector{4.294, 4.294, 3.174, 4.294, 4.294, 3.174, 3.174}));
    Vehicle vehicle = SportsCar();
    vehicle.gearbox = find("Ford 10R80");
    vehicle.gearbox.finalDrives = {3.55};
    const Vehicle back = ParseVehicleFile("v", FormatVehicleFile(vehicle)).value.value();
    EXPECT_EQ(back.gearbox.forward,
              (std::vector{4.696, 2.985, 2.146, 1.769, 1.520, 1.275, 1.000, 0.854, 0.689, 0.636}));
    const std::vector<GearPerformance> gears = AnalysePerformance(back).value().gears;
    EXPECT_EQ(
        std::count_if(gears.begin(), gears.end(), [](const GearPerformance& gear) { return gear.upshift.has_value(); }),
        9);
}

// A line's fault by its line (and column); a user's broken file is one message and leaves the rest; where they are
// looked for.
TEST(Presets, BrokenFilesAndLocations)
{
    const std::string strHeader = "{\"format\": \"ratiograph-presets\", \"version\": 1}\n";
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"# mine\n\n" + strHeader +
             "{\"name\": \"A\", \"forward\": [3, 1.5], \"finalDrive\": 4}\n{\"name\": \"B\", \"forward\": [2]}",
         ""},
        {"{\"name\": \"A\", \"forward\": [3]}\n",
         "p.jsonl:1: format: must be \"ratiograph-presets\": this is no presets file"},
        {strHeader + "\n{\"name\": \"A\", \"forward\": [3, }\n", "p.jsonl:3:30: syntax error"},
        {strHeader + "{\"name\": \"A\", \"forward\": [3, 0]}\n",
         "p.jsonl:2: forward[1]: a ratio must be a positive number"},
        {strHeader + "{\"forward\": [3]}\n", "p.jsonl:2: name: missing"},
        {strHeader + "{\"name\": \"\", \"forward\": [3]}\n", "p.jsonl:2: name: must not be empty"},
        {strHeader + "{\"name\": \"A\", \"forward\": [3, 1], \"finalDrive\": [1, 2, 3]}\n",
         "p.jsonl:2: finalDrive: give one final drive or one per forward gear (2), not 3"},
        {strHeader + "[1]\n", "p.jsonl:2: a preset must be one JSON object"},
        {"\n# none\n", "p.jsonl: this is no presets file: it is empty"},
    };
    for (const auto& [bytes, expected] : rows) {
        const ReadOutcome<PresetList> read = ParsePresetsFile("p.jsonl", bytes);
        EXPECT_EQ(read.strError.substr(0, expected.size()), expected);
        EXPECT_EQ(read.value ? read.value->size() : 0, expected.empty() ? 2U : 0U);
    }

    const CScratchDir dir;
    ASSERT_TRUE(WriteBytes(dir.Path() + "/b.jsonl", strHeader + "{\"name\": \"Mine\", \"forward\": [3, 2, 1]}\n") &&
                WriteBytes(dir.Path() + "/a.jsonl", strHeader + "{\"name\": \"Broken\", \"forward\": []}\n") &&
                WriteBytes(dir.Path() + "/c.txt", "not read"));
    const LoadedPresets loaded = LoadPresets({{dir.Path() + "/none.jsonl", RATIOGRAPH_PRESETS_FILE}, dir.Path()});
    EXPECT_EQ(loaded.messages,
              std::vector<std::string>{dir.Path() + "/a.jsonl:2: forward: give 1 to 10 forward ratios, not 0"});
    EXPECT_EQ(loaded.presets.size(), ReadPresetsFile(RATIOGRAPH_PRESETS_FILE).value->size() + 1);
    EXPECT_EQ(loaded.presets.back().strName, "Mine");
    EXPECT_EQ(LoadPresets({{}, dir.Path() + "/none"}).messages,
              std::vector<std::string>{"presets.jsonl: no installed presets file was found"});

    const std::string strProgramShare = DefaultPresetLocations().installedFiles.front();
    EXPECT_TRUE(strProgramShare.ends_with("/share/ratiograph/presets.jsonl")) << strProgramShare;
    const std::vector<std::string> defaults = {"/usr/local/share/ratiograph/presets.jsonl",
                                               "/usr/share/ratiograph/presets.jsonl"};
    const std::vector<std::tuple<const char*, const char*, const char*, std::vector<std::string>, std::string>>
        environments = {
            {"/d", "/a:rel:/b", "/h", {"/a/ratiograph/presets.jsonl", "/b/ratiograph/presets.jsonl"}, "/d/ratiograph"},
            {"", "", "/h", defaults, "/h/.local/share/ratiograph"},
            {"relative", "", "", defaults, ""},
        };
    const std::string strHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    for (const auto& [pszDataHome, pszDataDirs, pszHome, installed, strUserDir] : environments) {
        setenv("XDG_DATA_HOME", pszDataHome, 1);
        setenv("XDG_DATA_DIRS", pszDataDirs, 1);
        setenv("HOME", pszHome, 1);
        PresetLocations locations = DefaultPresetLocations();
        locations.installedFiles.erase(locations.installedFiles.begin());
        EXPECT_EQ(locations.installedFiles, installed);
        EXPECT_EQ(locations.strUserDir, strUserDir);
    }
    setenv("HOME", strHome.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_DATA_DIRS");
}

// The shipped axles carry a source each and the ratios regearing is asked about; a bad row names its line and key.
TEST(Axles, ShippedListAndBadRows)
{
    const ReadOutcome<AxleLists> read = ReadAxlesFile(RATIOGRAPH_AXLES_FILE);
    ASSERT_TRUE(read.value) << read.strError;
    const AxleLists& shipped = *read.value;
    ASSERT_GE(shipped.size(), 2U);
    for (const AxleRatioList& axle : shipped)
        EXPECT_TRUE(axle.strSource.find("http") != std::string::npos &&
                    std::is_sorted(axle.ratios.begin(), axle.ratios.end()))
            << axle.strAxle;
    EXPECT_EQ(std::count(shipped.front().ratios.begin(), shipped.front().ratios.end(), 4.30), 1);

    const std::string strHeader = "{\"format\": \"ratiograph-axles\", \"version\": 1}\n";
    const std::vector<std::pair<std::string, std::string>> rows = {
        {strHeader + "{\"axle\": \"A\", \"ratios\": [3.08, 50], \"source\": \"s\"}\n", ""},
        {strHeader + "{\"axle\": \"A\", \"ratios\": [3.08, 50.01]}\n",
         "a.jsonl:2: ratios[1]: must be above 0 and at most 50"},
        {strHeader + "{\"axle\": \"A\", \"ratios\": [0]}\n", "a.jsonl:2: ratios[0]: must be above 0 and at most 50"},
        {strHeader + "{\"axle\": \"A\", \"ratios\": []}\n", "a.jsonl:2: ratios: must list at least one ratio"},
        {strHeader + "{\"axle\": \"\", \"ratios\": [3]}\n", "a.jsonl:2: axle: must not be empty"},
        {strHeader + "{\"ratios\": [3]}\n", "a.jsonl:2: axle: missing"},
        {strHeader + "3\n", "a.jsonl:2: an axle must be one JSON object"},
        {"{\"format\": \"ratiograph-presets\", \"version\": 1}\n", "a.jsonl:1: format: must be \"ratiograph-axles\""},
        {"{\"format\": \"ratiograph-axles\", \"version\": 2}\n", "a.jsonl:1: version"},
    };
    for (const auto& [bytes, expected] : rows) {
        const ReadOutcome<AxleLists> read = ParseAxlesFile("a.jsonl", bytes);
        EXPECT_EQ(read.strError.substr(0, expected.size()), expected) << bytes;
        EXPECT_EQ(read.value.has_value(), expected.empty()) << bytes;
    }
    const std::string strShare = RATIOGRAPH_AXLES_FILE;
    setenv("XDG_DATA_DIRS", ("/nowhere:" + strShare.substr(0, strShare.rfind("/ratiograph/"))).c_str(), 1);
    EXPECT_EQ(LoadInstalledAxles().value.value_or(AxleLists{}).size(), shipped.size());
    setenv("XDG_DATA_DIRS", "/nowhere", 1);
    EXPECT_EQ(LoadInstalledAxles().strError, "axles.jsonl: no installed axles file was found");
    unsetenv("XDG_DATA_DIRS");
}

} // namespace
