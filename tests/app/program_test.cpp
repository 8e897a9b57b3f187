// The built program as a script meets it (no display, a German locale) and as a user starts it.

#include "app/gearcalcapp.h"

#include <tuple>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "settingsfile/settingsfile.h"
#include "settingsfile/vehiclefile.h"
#include "tests/support/files.h"
#include "tests/support/reportchecks.h"
#include "tests/support/samplerecord.h"
#include "tests/support/uitest.h"
#include "tests/support/vehicles.h"
#include "ui/exchange/dialog.h"
#include "ui/resource.h"
#include "ui/templates.h"

namespace {

using namespace Qt::StringLiterals;

// The exit status, standard output and standard error; stdoutFile, when given, takes the output, stdin is the input.
std::tuple<int, std::string, std::string> RunProgram(const QString& dir, const std::vector<std::string>& args,
                                                     const QString& stdoutFile, const std::string& strInput = {},
                                                     const char* pszProgram = RATIOGRAPH_PROGRAM)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    environment.insert(u"LC_ALL"_s, u"de_DE.UTF-8"_s);
    // A window system's start says when the desktop lacks this; a command that only draws, as on a server, must not.
    environment.remove(u"XDG_RUNTIME_DIR"_s);
    if (!args.empty() && args.front() == "-platform")
        environment.insert(u"XDG_RUNTIME_DIR"_s, dir);
    environment.insert(u"XDG_DATA_HOME"_s, dir); // the user's presets, not the tester's
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(dir);
    if (!stdoutFile.isEmpty())
        program.setStandardOutputFile(stdoutFile);
    QStringList arguments;
    for (const std::string& arg : args)
        arguments << QString::fromStdString(arg);
    program.start(QString::fromUtf8(pszProgram), arguments);
    program.write(QByteArray::fromStdString(strInput));
    program.closeWriteChannel();
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
        return {-1, "", ""};
    return {program.exitCode(), program.readAllStandardOutput().toStdString(),
            program.readAllStandardError().toStdString()};
}

TEST(Program, ReportsExportsErrorsAndItsWindow)
{
    QTemporaryDir temp;
    const QString dir = temp.path();
    const std::string strDir = dir.toStdString() + "/";
    const std::string sample = FormatSettingsFile(SampleSettings(), SampleSpeeds());
    GearSettings setupB = SampleSettings();
    setupB.m_fTireOD = 28.0F;
    ASSERT_TRUE(WriteBytes(strDir + "a.kvr", sample) && WriteBytes(strDir + "b.kvr", FormatSettingsFile(setupB, {})));
    ASSERT_TRUE(WriteBytes(strDir + "short.kvr", "2.68\r\n2\r\n"));
    ASSERT_TRUE(WriteBytes(strDir + "x.kvr", "2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\nfast\r\n3.53\r\n150\r\n"));
    // Inputs an export must not replace: under a name it would write, a hard link, a comparison file.
    ASSERT_TRUE(WriteBytes(strDir + "same.txt", sample) && WriteBytes(strDir + "b.csv", sample));
    ASSERT_EQ(link((strDir + "a.kvr").c_str(), (strDir + "hard.csv").c_str()), 0);
    ASSERT_EQ(mkfifo((strDir + "fifo.csv").c_str(), 0600), 0);
    const bool bRoot = geteuid() == 0;
    if (bRoot) { // a device node, and a link to it, as an export's name: a device must stay a device
        ASSERT_TRUE(mknod((strDir + "null.txt").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
                    symlink("null.txt", (strDir + "link.txt").c_str()) == 0);
    }

    const std::string kNoStart = "ratiograph: cannot start the window system: ";
    const std::string kTryHelp = " (try 'ratiograph --help')\n";
    const std::string kNotRegular = "Not a regular file; a device, a FIFO or a socket is left as it is\n";
    const auto kSameFile = [](const char* pszOut, const char* pszIn) {
        return "ratiograph: " + std::string(pszOut) + ": is the same file as " + pszIn +
               ", which the report reads; nothing written\n";
    };
    const Texts kJson = {"/cruise/unit \"km/h\"\n", "/cruise/mph 68.4\n", "/gears/0/rpmAtCruise 8279\n",
                         "/comparison/speedometerAt60Mph 63.6\n", "/tireSwap/sources/0/axle \"Ford 8.8 in\"\n"};
    struct Row
    {
        std::vector<std::string> args;
        int nExit;
        std::string strErr;
        std::string strRead = ""; // the file whose ReportAsText hold parts; "-.csv": standard output, read as CSV
        Texts parts = {};
        const char* pszStdout = "";
    };
    std::vector<Row> rows = {
        {{"--report", "a.kvr", "--format", "csv"}, 0, "", "-.csv", kSampleRows},
        {{"--report", "a.kvr"}, 0, "", "-.txt", kSampleRows},
        {{"--report", "--format=json", "--cruise=110 km/h", "--compare", "b.kvr", "a.kvr"}, 0, "", "-.json", kJson},
        {{"--export", "out.pdf", "a.kvr"}, 0, "", "out.pdf", kSampleRows},
        {{"--export", "table.csv", "--cruise", "70", "a.kvr"},
         0,
         "",
         "table.csv",
         {"RPM at cruise\n1st 2.680 9.460 12.4 19.9 8.3 8479\n"}},
        {{"--export", "chart.svg", "a.kvr"},
         0,
         "",
         "chart.svg",
         {"viewBox 0 0 800 600\n", "strokes #000000 #505050 #909090 black none\npaths 6\n"}},
        {{"--tires", "26.4", "28", "--format=json"},
         0,
         "",
         "-.json",
         {"/second/name \"28 in\"\n", "/diameterDifferencePercent 6.1\n", "/speedometer/true/2 63.6\n"}},
        {{"--tires", "205/55R16", "225/45R17", "--format", "csv"}, 0, "", "-.csv", {"Diameter (in) 24.88 24.97\n"}},
        {{"--tires", "205/55R16", "wide"},
         2,
         "ratiograph: 'wide' is no tire: a size like P225/70R15, 33x12.50R15 or 37-622, or a diameter in inches like "
         "26.4" +
             kTryHelp},
        {{"--export", "chart.png", "--size", "1200x800", "a.kvr"}, 0, "", "chart.png", {"1200x800"}},
        {{"--report", "x.kvr"},
         1,
         "x.kvr:8: Please enter a number.\nx.kvr:10: Please enter a number between 0 and 100.\n"},
        {{"--report", "missing.kvr"}, 1, "ratiograph: missing.kvr: No such file or directory\n"},
        {{"--report", "/dev/null"},
         1,
         "ratiograph: /dev/null: This is not a settings file: it is a device, a pipe or a socket. Nothing was "
         "loaded.\n"},
        {{"--export", "x.csv", "--compare", ".", "a.kvr"}, 1, "ratiograph: .: Is a directory\n"},
        {{"--report", "short.kvr"},
         1,
         "ratiograph: short.kvr: This is not a settings file: it has fewer than ten lines. Nothing was loaded.\n"},
        {{"--export", "nodir/x.csv", "a.kvr"}, 1, "ratiograph: nodir/x.csv: No such file or directory\n"},
        {{"--export=same.txt", "same.txt"}, 1, kSameFile("same.txt", "same.txt")},
        {{"--export=hard.csv", "a.kvr"}, 1, kSameFile("hard.csv", "a.kvr")},
        {{"--export=b.csv", "--compare=b.csv", "a.kvr"}, 1, kSameFile("b.csv", "b.csv")},
        {{"--export=fifo.csv", "a.kvr"}, 1, "ratiograph: fifo.csv: " + kNotRegular},
        {{"--report", "a.kvr", "--size", "900x900"}, 2, "ratiograph: --size goes with an SVG or PNG export" + kTryHelp},
        {{"--help"}, 1, "ratiograph: write error: No space left on device\n", "", {}, "/dev/full"},
        // Qt takes its own options first, and a window system that cannot start is one line.
        {{"-platform", "offscreen", "-reverse", "--version"}, 0, "", "-.txt", {"ratiograph (Corvane Ratiograph) 2"}},
        {{"-platform", "nope"}, 1, kNoStart + "Could not find the Qt platform plugin \"nope\" in \"\"\n"},
        {{"-platform", "xcb", "-display", ":77"}, 1, kNoStart + "could not connect to display :77\n"},
    };
    for (const std::string name : {"null.txt", "link.txt"}) {
        if (bRoot)
            rows.push_back({{"--export", name, "a.kvr"}, 1, "ratiograph: " + name + ": " + kNotRegular});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        const auto [nExit, strOut, strErr] = RunProgram(dir, row.args, QString::fromUtf8(row.pszStdout));
        EXPECT_EQ(nExit, row.nExit);
        EXPECT_EQ(strErr, row.strErr);
        const bool bStdout = row.strRead.starts_with('-');
        EXPECT_EQ(strOut.empty(), !bStdout);
        ExpectParts(ReportAsText(bStdout ? strOut : ReadBytes(strDir + row.strRead), row.strRead), row.parts);
    }
    // Reports never write the files they read; a refused or failed export leaves nothing, a device or FIFO as it was.
    for (const char* pszInput : {"a.kvr", "same.txt", "b.csv"})
        EXPECT_EQ(ReadBytes(strDir + pszInput), sample) << pszInput;
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 8 + 4 + (bRoot ? 2 : 0));
    struct stat info = {};
    EXPECT_TRUE(stat((strDir + "fifo.csv").c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    EXPECT_TRUE(!bRoot || (stat((strDir + "link.txt").c_str(), &info) == 0 && S_ISCHR(info.st_mode)));
    // Started without arguments, the program opens its window and stays until it is closed.
    QProcess program;
    program.setEnvironment(QProcess::systemEnvironment() << u"QT_QPA_PLATFORM=offscreen"_s);
    program.start(QStringLiteral(RATIOGRAPH_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted());
    EXPECT_FALSE(program.waitForFinished(1500)) << program.readAllStandardError().toStdString();
    program.kill();
    program.waitForFinished();
    // Given a settings file, the notice and then the calculator with the file loaded.
    EXPECT_EQ(RunProgram(dir, {"-platform", "offscreen", "a.kvr"}, {}, {}, RATIOGRAPH_PROGRAM_DRIVER),
              std::tuple(0, std::string("dialog 131 \ndialog 102 1500 \n"), std::string()));
    // "-" reads the settings file from standard input; --export=- writes the table to standard output.
    ExpectParts(ReportAsText(std::get<1>(RunProgram(dir, {"--export=-", "--format=csv", "-"}, {}, sample)), "-.csv"),
                kSampleRows);
}

// The published sports car's figures as a script reads them; a bad vehicle file is named and leaves nothing.
TEST(Program, PerformanceAndPresets)
{
    QTemporaryDir temp;
    const QString dir = temp.path();
    const std::string strDir = dir.toStdString() + "/", car = FormatVehicleFile(SportsCar());
    const std::string kHeader = "{\"format\": \"ratiograph-presets\", \"version\": 1}\n";
    ASSERT_TRUE(WriteBytes(strDir + "car.rgvehicle", car) && WriteBytes(strDir + "car.json", car) &&
                QDir(dir).mkdir(u"ratiograph"_s) &&
                WriteBytes(strDir + "ratiograph/a.jsonl", kHeader + "{\"name\": \"Mine\", \"forward\": [1]}\n") &&
                WriteBytes(strDir + "ratiograph/b.jsonl", kHeader + "{}\n"));
    // Each reason a vehicle file is refused is the reader's own (its tests); here, that the program names it.
    for (auto [args, strError] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"ratiograph"}, "ratiograph: Is a directory"},
             {{"ratiograph/b.jsonl"},
              "ratiograph/b.jsonl:2:1: syntax error while parsing value - unexpected '{'; expected end of input"},
             {{"--export=car.json", "car.json"},
              "car.json: is the same file as car.json, which the report reads; nothing written"}}) {
        args.insert(args.begin(), "--performance");
        EXPECT_EQ(RunProgram(dir, args, {}), std::tuple(1, std::string(), "ratiograph: " + strError + "\n"));
    }
    for (const char* pszExport : {"--export=t.csv", "--export=f.svg"}) {
        EXPECT_EQ(RunProgram(dir, {"--performance", pszExport, "--units=us", "car.rgvehicle"}, {}),
                  std::tuple(0, std::string(), std::string()));
    }
    ExpectParts(ReadBytes(strDir + "t.csv"),
                {"Force before (lbf)", "\n1st,4.714,3.310,15.603,33.4,6500,33.4,4334,3383,"});
    ExpectParts(ReportAsText(ReadBytes(strDir + "f.svg"), "f.svg"),
                {"viewBox 0 0 800 600\nWheel force chart\n", "162.7 MPH in 7th"});
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::System).size(), 4);
    EXPECT_EQ(ReadBytes(strDir + "car.json"), car);
    // The top speed, then each gear's speed at the 6500 RPM redline, where every upshift is.
    const auto speed = [](const nlohmann::json& kmh) {
        return QString::number(kmh.get<double>(), 'f', 1).toStdString();
    };
    const nlohmann::json report =
        nlohmann::json::parse(std::get<1>(RunProgram(dir, {"--performance", "--format=json", "car.rgvehicle"}, {})));
    std::string text = speed(report["topSpeed"]["kmh"]) + ":";
    for (const nlohmann::json& gear : report["gears"])
        text += " " + speed(gear["speedAtRedlineKmh"]) + (gear["upshiftRpm"] == 6500.0 ? "" : " top");
    EXPECT_EQ(text, "261.9: 53.8 80.7 120.4 152.1 197.3 253.6 302.2 380.1 top");
    // "-" reads the vehicle from standard input.
    EXPECT_NE(
        std::get<1>(RunProgram(dir, {"--performance", "--format=csv", "-"}, {}, car)).find("\r\n8th,0.667,3.310,"),
        std::string::npos);
    // The installed presets, then the user's file that could be read; the other one named at its line.
    const auto [nExit, strPresets, strError] = RunProgram(dir, {"--presets", "--format=json"}, {});
    EXPECT_EQ(std::tuple(nExit, strError),
              std::tuple(1, "ratiograph: " + strDir + "ratiograph/b.jsonl:2: name: missing\n"));
    const nlohmann::json presets = nlohmann::json::parse(strPresets);
    EXPECT_GE(presets.size(), 13U);
    EXPECT_EQ(presets.back(), nlohmann::json::parse(R"({"name": "Mine", "forward": [1.0], "reverse": null,
                                                        "finalDrive": null, "source": ""})"));
}

using Application = UiTest;

// The notice, however closed, then the calculator as main window, loading the file given as Load would; then the end.
TEST_F(Application, NoticeThenCalculatorWithTheFileGivenThenTheEnd)
{
    RegisterProgramResources();
    QTemporaryDir dir;
    const std::string strLetters = dir.filePath(u"car.kvr"_s).toStdString();
    ASSERT_TRUE(WriteBytes(strLetters, "2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\nfast\r\n3.53\r\n26.4\r\n"));
    const std::vector<std::tuple<Qt::Key, std::string, Texts, const char*>> rows = {
        {Qt::Key_Return, strLetters, Texts(4, "Please enter a number."), "fast"},
        {Qt::Key_Escape, dir.filePath(u"missing.kvr"_s).toStdString(), {"ERROR|Cannot open file."}, "0"},
    };
    for (const auto& [closeNotice, settingsFile, messages, pszRpm] : rows) {
        SCOPED_TRACE(settingsFile);
        CGearCalcApp app;
        app.m_settingsFile = settingsFile;
        std::vector<int> shown;
        std::string strRpm;
        DriveDialogs(m_seam, [&](HWND hDlg) {
            shown.push_back(platform::GetDialogTemplateId(hDlg));
            if (platform::GetDialogTemplateId(hDlg) == IDD_NOTICE) {
                EXPECT_EQ(app.m_pMainWnd, nullptr);
                PressKey(platform::GetDlgItem(hDlg, IDOK), closeNotice);
                return;
            }
            ASSERT_NE(app.m_pMainWnd, nullptr);
            EXPECT_EQ(app.m_pMainWnd->m_hWnd, hDlg);
            EXPECT_EQ(platform::GetWindowOwner(hDlg), nullptr);
            QTest::qWait(0); // the file is loaded from the calculator's own loop
            strRpm = platform::GetWindowText(platform::GetDlgItem(hDlg, IDC_RPM));
            PressKey(platform::GetDlgItem(hDlg, IDC_RPM), Qt::Key_Escape);
        });
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(shown, (std::vector<int>{IDD_NOTICE, IDD_GEARCALC_DIALOG}));
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_EQ(TakeMessages(m_seam), messages);
        EXPECT_EQ(strRpm, pszRpm);
    }
}

} // namespace
