// Print and Export as the calculator will offer them: the dialogs through the seam, then what reached the disk,
// read back with the tools a user would use.

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/document.h"
#include "tests/support/files.h"
#include "tests/support/reportchecks.h"
#include "tests/support/samplerecord.h"
#include "tests/support/uitest.h"
#include "ui/chartsizedlg.h"
#include "ui/reportactions.h"
#include "ui/reportpage.h"
#include "ui/resource.h"
#include "ui/templates.h"

namespace {

using Texts = std::vector<std::string>;

class Reports : public UiTest
{
protected:
    void SetUp() override { RegisterProgramResources(); }

    std::string PathOf(const char* pszName) const { return m_dir.filePath(QString::fromUtf8(pszName)).toStdString(); }

    // The sample against a setup B on 28-inch tires; the fields hold second gear as "2.0".
    static GearReport Report(bool bWithB)
    {
        GearSettings setupB = SampleSettings();
        setupB.m_fTireOD = 28.0F;
        return BuildGearReport(SampleSettings(), 70.0, bWithB ? std::optional(setupB) : std::nullopt);
    }
    static ValueTexts FieldTexts()
    {
        ValueTexts texts = FormatValueTexts(SampleSettings());
        texts[static_cast<std::size_t>(GearValue::Gear2)] = "2.0";
        return texts;
    }

    // The speeds of every gear in their columns, and the page's other parts.
    static void ExpectSamplePage(const std::string& text, bool bWithB)
    {
        for (std::size_t i = 0; i < kGearNames.size(); ++i) {
            const Words row = GearRow(text, kGearNames[i]);
            ASSERT_GE(row.size(), bWithB ? 8U : 7U) << kGearNames[i] << "\n" << text;
            EXPECT_EQ(Words(row.begin() + 3, row.begin() + 5), (Words{kSampleMph[i], kSampleKmh[i]})) << text;
        }
        const std::size_t nValue = text.find("2nd gear:");
        EXPECT_EQ(SplitWords(text.substr(nValue, text.find('\n', nValue) - nValue)), (Words{"2nd", "gear:", "2.0"}));
        EXPECT_NE(text.find("4th to 5th"), std::string::npos);
        EXPECT_NE(text.find("3.124"), std::string::npos);
        EXPECT_EQ(text.find("at a true 60 MPH: 63.6 MPH") != std::string::npos, bWithB) << text;
    }

    QTemporaryDir m_dir;
};

// Each export: the name answered (with the filter chosen), the size typed for an image, the file written and
// what it holds.
TEST_F(Reports, ExportWritesTheFormatTheNameSays)
{
    struct Row
    {
        const char* pszAnswer;
        std::size_t nFilter;
        const char* pszWritten;
        Texts sizeTyped; // width and height, when the size dialog should ask
    };
    const std::vector<Row> rows = {
        {"page.pdf", 0, "page.pdf", {}},
        {"table", 1, "table.csv", {}},
        {"chart.PNG", 0, "chart.PNG", {"1200", "800"}},
        {"drawing.car", 3, "drawing.car.svg", {"640", "480"}},
        {"data.json", 5, "data.json", {}},
        {"plain.txt", 0, "plain.txt", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszAnswer);
        bool bAsked = false;
        DriveDialogs(m_seam, [&](HWND hDlg) {
            bAsked = platform::GetDialogTemplateId(hDlg) == IDD_CHART_SIZE;
            EXPECT_EQ(platform::GetWindowText(platform::GetDlgItem(hDlg, IDC_CHART_WIDTH)), "800");
            EXPECT_EQ(platform::GetWindowText(platform::GetDlgItem(hDlg, IDC_CHART_HEIGHT)), "600");
            TypeInto(platform::GetDlgItem(hDlg, IDC_CHART_WIDTH), row.sizeTyped.at(0));
            TypeInto(platform::GetDlgItem(hDlg, IDC_CHART_HEIGHT), row.sizeTyped.at(1));
            Click(platform::GetDlgItem(hDlg, IDOK));
        });
        m_seam.QueueFileAnswer(PathOf(row.pszAnswer), row.nFilter);
        EXPECT_TRUE(ExportGearReport(nullptr, Report(true), FieldTexts()));
        EXPECT_EQ(bAsked, !row.sizeTyped.empty());
        ASSERT_EQ(m_seam.Records().size(), 1U);
        const FileDialogOptions& options = m_seam.Records().front().fileOptions;
        EXPECT_EQ(options.filters.size(), 6U);
        EXPECT_EQ(options.filters.at(row.nFilter).strExtension, ReportFormatExtension(kExportFormats[row.nFilter]));
        m_seam.ClearRecords();

        const std::string bytes = ReadBytes(PathOf(row.pszWritten));
        switch (ReportFormatOfPath(row.pszWritten).value()) {
        case ReportFormat::Pdf:
            ExpectSamplePage(PdfText(PathOf(row.pszWritten)), true);
            break;
        case ReportFormat::Text:
            ExpectSamplePage(bytes, true);
            break;
        case ReportFormat::Csv: {
            const std::vector<Words> csv = CsvRows(bytes);
            ASSERT_EQ(csv.size(), 8U);
            EXPECT_EQ(csv[0].at(7), "Difference to B (%)");
            for (std::size_t i = 0; i < kGearNames.size(); ++i)
                EXPECT_EQ(Words(csv[i + 1].begin(), csv[i + 1].begin() + 5),
                          (Words{kGearNames[i], csv[i + 1][1], csv[i + 1][2], kSampleMph[i], kSampleKmh[i]}));
            break;
        }
        case ReportFormat::Json:
            EXPECT_NE(bytes.find(R"("speedometerAt60Mph": 63.6)"), std::string::npos);
            break;
        case ReportFormat::Png:
            EXPECT_EQ(PngSize(bytes), QSize(1200, 800));
            break;
        case ReportFormat::Svg: {
            const std::optional<SvgSummary> svg = ReadSvg(bytes);
            ASSERT_TRUE(svg.has_value()) << bytes;
            // Five gears with a speed, the sawtooth and B's dashed one.
            EXPECT_EQ(svg->nPaths, 5 + 2);
            EXPECT_EQ(svg->viewBox, QStringLiteral("0 0 640 480"));
            EXPECT_TRUE(svg->description.startsWith(QStringLiteral("Shift chart of 1st, 2nd")));
            break;
        }
        }
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), static_cast<qsizetype>(rows.size()));
}

// Cancelling either dialog writes nothing; a file that cannot be written is told as Save tells it; the size
// dialog refuses what is no size and leaves the last size as it was.
TEST_F(Reports, CancelledRefusedAndFailedExports)
{
    const std::vector<std::tuple<std::optional<std::string>, Texts, Texts>> rows = {
        {std::nullopt, {}, {}},
        {PathOf("chart.png"), {"abc", "600"}, {"ui_tests|Please enter an integer."}},
        {PathOf("chart.svg"), {"800", "9000"}, {"ui_tests|Please enter an integer between 16 and 8000."}},
        {PathOf("chart.png"), {"15", "600"}, {"ui_tests|Please enter an integer between 16 and 8000."}},
        {PathOf("missing/dir.csv"), {}, {"ERROR|Error saving file."}},
    };
    for (const auto& [answer, sizeTyped, messages] : rows) {
        SCOPED_TRACE(answer.value_or("cancel"));
        DriveDialogs(m_seam, [&](HWND hDlg) {
            TypeInto(platform::GetDlgItem(hDlg, IDC_CHART_WIDTH), sizeTyped.at(0));
            TypeInto(platform::GetDlgItem(hDlg, IDC_CHART_HEIGHT), sizeTyped.at(1));
            Click(platform::GetDlgItem(hDlg, IDOK));
            Click(platform::GetDlgItem(hDlg, IDCANCEL));
        });
        m_seam.QueueFileAnswer(answer);
        EXPECT_FALSE(ExportGearReport(nullptr, Report(false), FieldTexts()));
        for (const CBoxRecord& record : m_seam.Records())
            EXPECT_TRUE(record.kind != CBoxRecord::Kind::Message || record.strCaption != "ERROR" ||
                        record.nType == MB_OK);
        EXPECT_EQ(TakePrompts(m_seam), messages);
    }
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

// The print dialog answered with a PDF file prints the page into it; Cancel prints nothing; a file that cannot
// be written is told.
TEST_F(Reports, PrintThroughTheDialog)
{
    const std::vector<std::tuple<std::optional<std::string>, bool, Texts>> rows = {
        {PathOf("printed.pdf"), true, {}},
        {std::nullopt, false, {}},
        {PathOf("missing/printed.pdf"), false, {"ERROR|Error printing."}},
    };
    for (const auto& [answer, bPrinted, messages] : rows) {
        SCOPED_TRACE(answer.value_or("cancel"));
        m_seam.QueuePrintAnswer(answer);
        EXPECT_EQ(PrintGearReport(nullptr, Report(false), FieldTexts()), bPrinted);
        ASSERT_FALSE(m_seam.Records().empty());
        EXPECT_EQ(m_seam.Records().front().kind, CBoxRecord::Kind::Print);
        EXPECT_EQ(m_seam.Records().front().strCaption, kReportTitle);
        EXPECT_EQ(TakePrompts(m_seam), messages);
    }
    ExpectSamplePage(PdfText(PathOf("printed.pdf")), false);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 1);
}

// A page longer than the sheet shrinks onto one; a chart image needs a size.
TEST_F(Reports, OnePageWhateverItHolds)
{
    PageDocument page;
    PageBlock table;
    table.kind = PageBlock::Kind::Table;
    table.headers = {"Row", "Value"};
    for (int i = 0; i < 150; ++i)
        table.rows.push_back({"row" + std::to_string(i), std::to_string(i * 7)});
    page.blocks = {table, table};
    ASSERT_TRUE(WriteBytes(PathOf("long.pdf"), RenderPagePdf(page)));
    const std::string text = PdfText(PathOf("long.pdf"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1) << "pages";
    EXPECT_EQ(SplitWords(text.substr(text.rfind("row149"), 20)), (Words{"row149", "1043"}));
    EXPECT_TRUE(RenderChartPng(ComposeReportChart(Report(false)), 0, 600).empty());
    EXPECT_TRUE(RenderChartSvg(ComposeReportChart(Report(false)), 800, -1).empty());
}

} // namespace
