// Print and Export through the seam, then what reached the disk, read back with a user's tools.

#include <optional>
#include <tuple>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tests/support/files.h"
#include "tests/support/reportchecks.h"
#include "tests/support/samplerecord.h"
#include "tests/support/uitest.h"
#include "ui/reportactions.h"
#include "ui/reportpage.h"
#include "ui/resource.h"
#include "ui/templates.h"

namespace {

class Reports : public UiTest
{
protected:
    void SetUp() override { RegisterProgramResources(); }

    std::string PathOf(const char* pszName) const { return m_dir.filePath(QString::fromUtf8(pszName)).toStdString(); }

    QTemporaryDir m_dir;
    // The sample against a setup B on 28-inch tires, at 70 MPH.
    const GearReport m_report = BuildGearReport(SampleSettings(), CruiseSpeed{70},
                                                GearSettings{1500, 2.68F, 3.53F, 28, 2, 1.3F, 1, 0.75F, 0, 2.9F});
};

// The page shows the values in their one format, the cruise speed with its unit, the drops, B's tire and speedometer,
// and the chart's key.
const Texts kPageParts = {"\n2nd gear: 2.000\n",
                          "Cruise speed: 70 MPH.",
                          "4th to 5th",
                          "tire 28.00 in.",
                          "at a true 60 MPH: 63.6 MPH",
                          "Now",
                          "Setup B\n"};

// The name answered (none: Cancel), the filter, the name written (none: nothing), the size typed, parts, messages.
TEST_F(Reports, ExportAndPrintWriteWhatTheNameSaysOrNothing)
{
    const Texts kRange = {"Please enter an integer between 16 and 8000."};
    const std::vector<std::tuple<const char*, std::size_t, const char*, Texts, Texts, Texts>> rows = {
        {"page.pdf", 0, "page.pdf", {}, kPageParts, {}},
        {"table", 1, "table.csv", {}, kSampleRows, {}},
        {"chart.PNG", 0, "chart.PNG", {"1200", "800"}, {"1200x800"}, {}},
        {"d.car",
         3,
         "d.car.svg",
         {"640", "480"},
         {"viewBox 0 0 640 480\nShift chart\nShift chart of 1st, 2nd",
          "strokes #000000 #505050 #606060 #909090 black none\npaths 7\n"},
         {}},
        {nullptr, 0, "", {}, {}, {}},
        {"x.png", 0, "", {"abc", "600"}, {}, {"Please enter an integer."}},
        {"x.svg", 0, "", {"800", "8001"}, {}, kRange},
        {"x.png", 0, "", {"15", "600"}, {}, kRange},
        {"missing/dir.csv", 0, "", {}, {}, {"ERROR|Error saving file."}},
    };
    for (const auto& [answer, nFilter, pszWritten, sizeTyped, parts, messages] : rows) {
        SCOPED_TRACE(answer ? answer : "cancel");
        Texts sizeShown;
        DriveDialogs(m_seam, [&](HWND hDlg) {
            EXPECT_EQ(platform::GetDialogTemplateId(hDlg), IDD_CHART_SIZE);
            for (const int nId : {IDC_CHART_WIDTH, IDC_CHART_HEIGHT}) {
                sizeShown.push_back(Text(hDlg, nId));
                TypeInto(hDlg, nId, sizeTyped.at(sizeShown.size() - 1));
            }
            Click(hDlg, IDOK);
            if (platform::IsInModalLoop(hDlg))
                Click(hDlg, IDCANCEL);
        });
        m_seam.QueueFileAnswer(answer ? std::optional(PathOf(answer)) : std::nullopt, nFilter);
        EXPECT_EQ(ExportGearReport(nullptr, m_report), *pszWritten != '\0');
        EXPECT_EQ(sizeShown, sizeTyped.empty() ? Texts{} : Texts({"800", "600"}));
        EXPECT_EQ(TakeMessages(m_seam), messages);
        ExpectParts(ReportAsText(ReadBytes(PathOf(pszWritten)), pszWritten), parts);
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 4);
    // Print into a PDF file, Cancel, a failed write; a page longer than the sheet shrinks onto one.
    const std::vector<std::tuple<std::optional<std::string>, bool, Texts>> prints = {
        {PathOf("printed.pdf"), true, {}},
        {std::nullopt, false, {}},
        {PathOf("missing/printed.pdf"), false, {"ERROR|Error printing."}},
    };
    for (const auto& [answer, bPrinted, messages] : prints) {
        SCOPED_TRACE(answer.value_or("cancel"));
        m_seam.QueuePrintAnswer(answer);
        EXPECT_EQ(PrintGearReport(nullptr, m_report), bPrinted);
        EXPECT_EQ(TakeMessages(m_seam), messages);
    }
    const std::string printed = ReportAsText(ReadBytes(PathOf("printed.pdf")), "printed.pdf");
    ExpectParts(printed, kSampleRows);
    ExpectParts(printed, kPageParts);
    // The title and today's date first, then the sections in the report's order, the note last, on one page.
    EXPECT_TRUE(printed.starts_with("Corvane Ratiograph Report\nDate: " + TodayText() + "\n")) << printed;
    std::size_t nAt = 0;
    for (const char* pszPart : {"\nValues\n", "\nGears\n", "\nShift drops at 1500 RPM\n", "\nSetup B\n",
                                "\nShift chart\n", "\nSpeeds use 3.124"}) {
        const std::size_t nFound = printed.find(pszPart, nAt);
        EXPECT_NE(nFound, std::string::npos) << pszPart;
        nAt = std::min(nFound, printed.size());
    }
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '|'), 1) << "pages";

    PageDocument page;
    page.blocks.resize(2, {PageBlock::Kind::Table, {}, {"Row", "Value"}, {}, {}});
    for (int i = 0; i < 150; ++i)
        page.blocks[1].rows.push_back({"row" + std::to_string(i), std::to_string(i * 7)});
    const std::string text = ReportAsText(RenderPagePdf(page), "long.pdf");
    EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 1) << "pages";
    ExpectParts(text, {"\nrow149 1043\n"});
}

} // namespace
