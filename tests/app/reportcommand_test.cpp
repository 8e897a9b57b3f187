// The command line's reports as a script meets them: the built program run without a display, in a German locale,
// its exit status, its standard output and error, and the files it wrote, read back.

#include <functional>
#include <string>
#include <vector>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "settingsfile/settingsfile.h"
#include "tests/support/csv.h"
#include "tests/support/files.h"
#include "tests/support/reportchecks.h"
#include "tests/support/samplerecord.h"

namespace {

struct ProgramRun
{
    int nExit = -1;
    std::string strOut, strErr;
};

ProgramRun RunProgram(const QString& dir, const std::vector<std::string>& args, const QString& stdoutFile = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* pszName : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromUtf8(pszName));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir); // else Qt's start in a window system says so
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(dir);
    if (!stdoutFile.isEmpty())
        program.setStandardOutputFile(stdoutFile);
    QStringList arguments;
    for (const std::string& arg : args)
        arguments << QString::fromStdString(arg);
    program.start(QStringLiteral(RATIOGRAPH_PROGRAM), arguments);
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), program.readAllStandardOutput().toStdString(),
            program.readAllStandardError().toStdString()};
}

// The CSV's MPH and km/h columns laid out as lines of a table, for ExpectSampleSpeeds.
std::string CsvAsTable(const std::string& csv)
{
    std::string text;
    for (const std::vector<std::string>& record : ReadCsv(csv).value_or(Records{}))
        text += record.size() < 5 ? "" : record[0] + " x x " + record[3] + " " + record[4] + " x\n";
    return text;
}

TEST(ReportCommand, ReportsExportsAndErrors)
{
    QTemporaryDir temp;
    const QString dir = temp.path();
    const auto pathOf = [&](const char* pszName) {
        return dir.toStdString() + "/" + pszName;
    };
    const std::string sample = FormatSettingsFile(SampleSettings(), SampleSpeeds());
    GearSettings setupB = SampleSettings();
    setupB.m_fTireOD = 28.0F;
    ASSERT_TRUE(WriteBytes(pathOf("sample.kvr"), sample) &&
                WriteBytes(pathOf("b.kvr"), FormatSettingsFile(setupB, {})));
    ASSERT_TRUE(QDir(dir).mkdir(QStringLiteral("bad")));
    ASSERT_TRUE(
        WriteBytes(pathOf("bad/sample.kvr"), "2.68\r\n2\r\n1.3\r\n1\r\n0.75\r\n0\r\n2.9\r\nfast\r\n3.53\r\n150\r\n"));

    struct Row
    {
        std::vector<std::string> args;
        int nExit;
        std::string strErr;
        std::function<void(const std::string& strOut)> check; // none: no output
        const char* pszDir = "";
    };
    const std::vector<Row> rows = {
        {{"--report", "sample.kvr", "--format", "csv"},
         0,
         "",
         [](const std::string& out) {
             ExpectSampleSpeeds(CsvAsTable(out));
         }},
        {{"--report", "sample.kvr"}, 0, "", ExpectSampleSpeeds},
        {{"--report", "--format=json", "--cruise=110 km/h", "--compare", "b.kvr", "sample.kvr"},
         0,
         "",
         [](const std::string& out) {
             for (const char* pszPart : {R"("cruiseMph": 68.4,)", R"("speedometerAt60Mph": 63.6})",
                                         R"("kmh": 19.9, "mphPer1000Rpm": 8.3, "rpmAtCruise": 8279,)"})
                 EXPECT_NE(out.find(pszPart), std::string::npos) << pszPart << "\n" << out;
         }},
        {{"--export", "out.pdf", "sample.kvr"}, 0, "", nullptr},
        {{"--export", "table.csv", "--cruise", "70", "sample.kvr"}, 0, "", nullptr},
        {{"--export", "chart.svg", "sample.kvr"}, 0, "", nullptr},
        {{"--export", "chart.png", "--size", "1200x800", "sample.kvr"}, 0, "", nullptr},
        {{"--report", "sample.kvr"},
         1,
         "sample.kvr:8: Please enter a number.\nsample.kvr:10: Please enter a number between 0 and 100.\n",
         nullptr,
         "bad"},
        {{"--report", "missing.kvr"}, 1, "ratiograph: missing.kvr: Cannot open file.\n", nullptr},
        {{"--export", "x.csv", "--compare", ".", "sample.kvr"}, 1, "ratiograph: .: Cannot open file.\n", nullptr},
        {{"--export", "nodir/x.csv", "sample.kvr"}, 1, "ratiograph: nodir/x.csv: Error saving file.\n", nullptr},
        // The calculator lets Qt take its own options first, and a window system that cannot start is one line.
        {{"-platform", "offscreen", "-reverse", "--version"},
         0,
         "",
         [](const std::string& out) {
             EXPECT_TRUE(out.starts_with("ratiograph (Corvane Ratiograph)")) << out;
         }},
        {{"-platform", "nope"},
         1,
         "ratiograph: cannot start the window system: Could not find the Qt platform plugin \"nope\" in \"\"\n",
         nullptr},
        {{"-platform", "xcb", "-display", ":77"},
         1,
         "ratiograph: cannot start the window system: could not connect to display :77\n",
         nullptr},
        {{"--report", "sample.kvr", "--size", "10x10"},
         2,
         "ratiograph: --size goes with an SVG or PNG export (try 'ratiograph --help')\n",
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        const ProgramRun run = RunProgram(dir + QStringLiteral("/") + QString::fromUtf8(row.pszDir), row.args);
        EXPECT_EQ(run.nExit, row.nExit);
        EXPECT_EQ(run.strErr, row.strErr);
        if (row.check)
            row.check(run.strOut);
        else
            EXPECT_EQ(run.strOut, "");
    }
    ExpectSampleSpeeds(PdfText(pathOf("out.pdf")));
    ExpectSampleSpeeds(CsvAsTable(ReadBytes(pathOf("table.csv"))));
    EXPECT_EQ(ReadCsv(ReadBytes(pathOf("table.csv"))).value_or(Records{{}}).front().back(), "RPM at 70 MPH");
    const std::optional<SvgSummary> svg = ReadSvg(ReadBytes(pathOf("chart.svg")));
    ASSERT_TRUE(svg.has_value());
    EXPECT_EQ(svg->nPaths, 5 + 1) << "one path per gear with a speed, and the sawtooth";
    EXPECT_EQ(svg->viewBox, QStringLiteral("0 0 800 600"));
    EXPECT_EQ(PngSize(ReadBytes(pathOf("chart.png"))), QSize(1200, 800));

    const ProgramRun full = RunProgram(dir, {"--report", "sample.kvr"}, QStringLiteral("/dev/full"));
    EXPECT_EQ(full.nExit, 1);
    EXPECT_EQ(full.strErr, "ratiograph: write error: No space left on device\n");
    // Reports read the settings file and never write it; a failed export leaves nothing behind.
    EXPECT_EQ(ReadBytes(pathOf("sample.kvr")), sample);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files).size(), 2 + 4);
}

} // namespace
