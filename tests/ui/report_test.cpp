// Print and Export as the calculator will offer them: the dialogs through the seam, then what reached the disk,
// read back with the tools a user would use.

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tests/support/csv.h"
#include "tests/support/files.h"
#include "tests/support/reportchecks.h"
#include "tests/support/samplerecord.h"
#include "tests/support/uitest.h"
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

    // The sample against a setup B on 28-inch tires, at 70 MPH.
    static GearReport Report()
    {
        GearSettings setupB = SampleSettings();
        setupB.m_fTireOD = 28.0F;
        return BuildGearReport(SampleSettings(), 70.0, setupB);
    }
    // The fields hold second gear as "2.0".
    static ValueTexts FieldTexts()
    {
        ValueTexts texts = FormatValueTexts(SampleSettings());
        texts[static_cast<std::size_t>(GearValue::Gear2)] = "2.0";
        return texts;
    }
    static void ExpectSamplePage(const std::string& text)
    {
        ExpectSampleSpeeds(text);
        for (const char* pszPart : {"RPM at 70 MPH", "4th to 5th", "3.124", "at a true 60 MPH: 63.6 MPH"})
            EXPECT_NE(text.find(pszPart), std::string::npos) << pszPart << "\n" << text;
        const std::size_t nAt = text.find("2nd gear:");
        ASSERT_NE(nAt, std::string::npos);
        EXPECT_EQ(SplitWords(text.substr(nAt, text.find('\n', nAt) - nAt)), (Words{"2nd", "gear:", "2.0"}));
    }

    QTemporaryDir m_dir;
};

// Each export: the name answered with the filter chosen, the name written, the size typed when the format is an
// image, and what the file holds.
TEST_F(Reports, ExportWritesTheFormatTheNameSays)
{
    using Check = std::function<void(const std::string& bytes)>;
    const Check pdf = [&](const std::string&) {
        ExpectSamplePage(PdfText(PathOf("page.pdf")));
    };
    const Check csv = [](const std::string& bytes) {
        EXPECT_EQ(ReadCsv(bytes).value_or(Records{}).size(), 8U);
    };
    const Check png = [](const std::string& bytes) {
        EXPECT_EQ(PngSize(bytes), QSize(1200, 800));
    };
    const Check svg = [](const std::string& bytes) {
        const std::optional<SvgSummary> summary = ReadSvg(bytes);
        ASSERT_TRUE(summary.has_value()) << bytes;
        EXPECT_EQ(summary->nPaths, 5 + 2) << "five gears with a speed, the sawtooth and B's dashed one";
        EXPECT_EQ(summary->viewBox, QStringLiteral("0 0 640 480"));
        EXPECT_TRUE(summary->description.startsWith(QStringLiteral("Shift chart of 1st, 2nd")));
    };
    const std::vector<std::tuple<const char*, std::size_t, const char*, Texts, Check>> rows = {
        {"page.pdf", 0, "page.pdf", {}, pdf},
        {"table", 1, "table.csv", {}, csv},
        {"chart.PNG", 0, "chart.PNG", {"1200", "800"}, png},
        {"drawing.car", 3, "drawing.car.svg", {"640", "480"}, svg},
    };
    for (const auto& [pszAnswer, nFilter, pszWritten, sizeTyped, check] : rows) {
        SCOPED_TRACE(pszAnswer);
        Texts sizeShown;
        DriveDialogs(m_seam, [&](HWND hDlg) {
            EXPECT_EQ(platform::GetDialogTemplateId(hDlg), IDD_CHART_SIZE);
            for (const int nId : {IDC_CHART_WIDTH, IDC_CHART_HEIGHT}) {
                sizeShown.push_back(platform::GetWindowText(platform::GetDlgItem(hDlg, nId)));
                TypeInto(platform::GetDlgItem(hDlg, nId), sizeTyped.at(sizeShown.size() - 1));
            }
            Click(platform::GetDlgItem(hDlg, IDOK));
        });
        m_seam.QueueFileAnswer(PathOf(pszAnswer), nFilter);
        EXPECT_TRUE(ExportGearReport(nullptr, Report(), FieldTexts()));
        EXPECT_EQ(sizeShown, sizeTyped.empty() ? Texts{} : Texts({"800", "600"}));
        ASSERT_EQ(m_seam.Records().size(), 1U);
        const std::vector<FileFilter>& filters = m_seam.Records().front().fileOptions.filters;
        EXPECT_TRUE(filters.size() == 6 && filters[3].strExtension == "svg" && filters[5].strName == "Text report");
        m_seam.ClearRecords();
        check(ReadBytes(PathOf(pszWritten)));
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), static_cast<qsizetype>(rows.size()));
}

// Cancelling either dialog writes nothing; the size dialog refuses what is no size; a file that cannot be written
// is told as Save tells it.
TEST_F(Reports, CancelledRefusedAndFailedExports)
{
    const Texts kRange = {"Please enter an integer between 16 and 8000."};
    const std::vector<std::tuple<std::optional<std::string>, Texts, Texts>> rows = {
        {std::nullopt, {}, {}},
        {PathOf("chart.png"), {"abc", "600"}, {"Please enter an integer."}},
        {PathOf("chart.svg"), {"800", "8001"}, kRange},
        {PathOf("chart.png"), {"15", "600"}, kRange},
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
        EXPECT_FALSE(ExportGearReport(nullptr, Report(), FieldTexts()));
        EXPECT_EQ(TakeMessages(m_seam), messages);
    }
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

// The print dialog answered with a PDF file prints the page into it; Cancel prints nothing; a file that cannot be
// written is told. A page longer than the sheet shrinks onto one.
TEST_F(Reports, PrintThroughTheDialogOntoOnePage)
{
    const std::vector<std::tuple<std::optional<std::string>, bool, Texts>> rows = {
        {PathOf("printed.pdf"), true, {}},
        {std::nullopt, false, {}},
        {PathOf("missing/printed.pdf"), false, {"ERROR|Error printing."}},
    };
    for (const auto& [answer, bPrinted, messages] : rows) {
        SCOPED_TRACE(answer.value_or("cancel"));
        m_seam.QueuePrintAnswer(answer);
        EXPECT_EQ(PrintGearReport(nullptr, Report(), FieldTexts()), bPrinted);
        ASSERT_FALSE(m_seam.Records().empty());
        EXPECT_EQ(m_seam.Records().front().kind, CBoxRecord::Kind::Print);
        EXPECT_EQ(m_seam.Records().front().strCaption, kReportTitle);
        EXPECT_EQ(TakeMessages(m_seam), messages);
    }
    ExpectSamplePage(PdfText(PathOf("printed.pdf")));

    PageDocument page;
    page.blocks.resize(2, {PageBlock::Kind::Table, {}, {"Row", "Value"}, {}, {}});
    for (int i = 0; i < 150; ++i)
        page.blocks[1].rows.push_back({"row" + std::to_string(i), std::to_string(i * 7)});
    ASSERT_TRUE(WriteBytes(PathOf("long.pdf"), RenderPagePdf(page)));
    const std::string text = PdfText(PathOf("long.pdf"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1) << "pages";
    EXPECT_EQ(SplitWords(text.substr(text.rfind("row149"), 20)), (Words{"row149", "1043"}));
}

} // namespace
