// The Tires window as a user meets it: opened from the calculator's workbench, two tires typed or taken from the
// calculator and setup B, live as the calculator changes, and a rear end chosen and written back.

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/support/named.h"
#include "tests/ui/calculator.h"

namespace {

using namespace Qt::StringLiterals;

class TireWindowTest : public CalculatorTest
{
protected:
    // The sample with the workbench open and the Tires window opened by its access key.
    static QWidget* OpenTires(HWND hDlg)
    {
        Click(hDlg, IDC_SAMPLE);
        Click(hDlg, IDC_WORKBENCH);
        QTest::keyClick(platform::WidgetOf(hDlg)->windowHandle(), '.', Qt::AltModifier);
        QWidget* pWindow = nullptr;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return (pWindow = platform::WidgetOf(hDlg)->findChild<QWidget*>(u"TireWindow"_s)) != nullptr; }));
        return pWindow;
    }
    static QString Line(QWidget* pWindow, const QString& name) { return Named<QLabel>(pWindow, name)->text(); }
};

// Sizes in any notation or diameters against each other, in either units; what is no tire is told beside its field.
TEST_F(TireWindowTest, ComparesTypedTiresAndFollowsTheCalculator)
{
    struct Row
    {
        QString first, second;
        const char* pszUnits;
        QString difference, firstDiameter, secondDiameter, trueAtThird;
    };
    const std::vector<Row> rows = {
        {u"205/55R16"_s, u"225/45R17"_s, "us", u"Diameter +0.4%, within the usual ±3%."_s, u"24.88"_s, u"24.97"_s,
         u"60.2"_s},
        {u"26.4"_s, u"28"_s, "metric",
         u"Diameter +6.1%, beyond the usual ±3%: the speedometer and the gearing change noticeably."_s, u"670.6"_s,
         u"711.2"_s, u"106.1"_s},
        {u""_s, u"LT265/75R16 123/120S"_s, "us",
         u"Diameter +19.9%, beyond the usual ±3%: the speedometer and the "
         u"gearing change noticeably."_s,
         u"26.40"_s, u"31.65"_s, u"71.9"_s},
    };
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        QWidget* pWindow = OpenTires(hDlg);
        ASSERT_TRUE(pWindow != nullptr && pWindow->isWindow() && pWindow->isVisible());
        EXPECT_EQ(pWindow->windowModality(), Qt::NonModal);
        auto* pFirst = Named<QLineEdit>(pWindow, u"Tire the speedometer is set for"_s);
        auto* pSecond = Named<QLineEdit>(pWindow, u"Tire to compare with"_s);
        // Both are the calculator's tire until the user types; the window follows the calculator's field.
        EXPECT_EQ(Line(pWindow, u"Diameter difference"_s), u"Diameter +0.0%, within the usual ±3%."_s);
        TypeInto(hDlg, IDC_TIRE_OD, "28");
        EXPECT_EQ(Cell(pWindow, u"Tires"_s, 1, 2), u"28.00"_s);
        EXPECT_EQ(pSecond->placeholderText(), u"Calculator, 28.00 in"_s);
        TypeInto(hDlg, IDC_TIRE_OD, "26.4");
        for (const Row& row : rows) {
            if (platform::IsButtonChecked(Item(hDlg, IDC_METRIC)) != (std::string_view(row.pszUnits) == "metric"))
                Click(hDlg, IDC_METRIC);
            pFirst->setText(row.first);
            pSecond->setText(row.second);
            EXPECT_EQ(Line(pWindow, u"Diameter difference"_s), row.difference) << row.second.toStdString();
            EXPECT_EQ(Cell(pWindow, u"Tires"_s, 1, 1) + u' ' + Cell(pWindow, u"Tires"_s, 1, 2),
                      row.firstDiameter + u' ' + row.secondDiameter);
            EXPECT_EQ(Cell(pWindow, u"True speeds"_s, 2, 1), row.trueAtThird) << row.second.toStdString();
        }
        pFirst->setText(u"205/55R"_s);
        EXPECT_EQ(Line(pWindow, u"Diameter difference"_s), u"No comparison: 205/55R is no tire."_s);
        EXPECT_TRUE(pFirst->accessibleDescription().startsWith(u"Use a size like"_s));
        EXPECT_EQ(Named<QTableView>(pWindow, u"Tires"_s)->model()->rowCount(), 0);
        Click(hDlg, IDC_WORKBENCH); // the window stays open with the workbench closed
        EXPECT_TRUE(pWindow->isVisible());
    });
}

// B held on 26.4 in, now 28.0 in: the rear end that restores B's gearing, the ratios sold around it with their
// speedometer readings and cruise RPMs, and Use this ratio writing the chosen one into the rear-end field.
TEST_F(TireWindowTest, RegearsToSetupBsGearingFromTheRatiosSold)
{
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        QWidget* pWindow = OpenTires(hDlg);
        ASSERT_TRUE(pWindow != nullptr);
        Click(hDlg, IDC_HOLD_B);
        TypeInto(hDlg, IDC_TIRE_OD, "28.0");
        TypeInto(hDlg, IDC_CRUISE_SPEED, "70");
        EXPECT_TRUE(Line(pWindow, u"Diameter difference"_s).startsWith(u"Diameter +6.1%, beyond the usual ±3%"_s));
        EXPECT_EQ(Line(pWindow, u"Regearing"_s),
                  u"Speedometer calibrated for setup B, at a true 60 MPH: 56.6 MPH\n"
                  u"A rear end of 3.744 gives the tire now setup B's overall gearing."_s);
        QStringList choices;
        for (int nRow = 0; nRow < 4; ++nRow)
            choices << Cell(pWindow, u"Rear ends sold"_s, nRow, 0) + u' ' +
                           Cell(pWindow, u"Rear ends sold"_s, nRow, 2) + u' ' +
                           Cell(pWindow, u"Rear ends sold"_s, nRow, 3);
        EXPECT_EQ(choices, (QStringList{u"3.550 56.9 2250"_s, u"3.730 59.8 2364"_s, u"3.900 62.5 2472"_s,
                                        u"4.100 65.7 2599"_s}));
        EXPECT_TRUE(Line(pWindow, u"Sources"_s).startsWith(u"Ratios sold for the Ford 8.8 in: "_s));

        // A row chosen by keyboard, then Alt+U; with none chosen, the exact ratio.
        const std::string before = Text(hDlg, IDC_SPEED4);
        auto* pTable = Named<QTableView>(pWindow, u"Rear ends sold"_s);
        pTable->setFocus();
        QTest::keyClick(pTable, Qt::Key_Home);
        QTest::keyClick(pTable, Qt::Key_Down);
        QTest::keyClick(pWindow, Qt::Key_U, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Text(hDlg, IDC_REAR_END) == "3.73"; })) << Text(hDlg, IDC_REAR_END);
        EXPECT_EQ(std::pair(before, Text(hDlg, IDC_SPEED4)), std::pair(std::string("35.2"), std::string("33.3")));
        EXPECT_EQ(Cell(pWindow, u"Rear ends sold"_s, 1, 0), u"3.730"_s); // the list stays, and so does the choice
        pTable->selectionModel()->clearSelection();
        QTest::mouseClick(Named<QPushButton>(pWindow, u"&Use this ratio"_s), Qt::LeftButton);
        EXPECT_EQ(Text(hDlg, IDC_REAR_END), "3.744");
        EXPECT_EQ(Text(hDlg, IDC_SPEED4), "33.2"); // B's speed again
        // B on the tire now: nothing to regear.
        TypeInto(hDlg, IDC_TIRE_OD, "26.4");
        EXPECT_FALSE(Named<QWidget>(pWindow, u"Rear ends sold"_s)->isVisible());
    });
}

} // namespace
