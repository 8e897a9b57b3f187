// The Tires window as a user meets it: opened from the calculator's workbench, two tires typed or taken from the
// calculator and setup B, live as the calculator changes, and a rear end chosen and written back.

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
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

// Sizes in any notation or diameters, in either units; the calculator's tire followed; no tire told beside its field.
TEST_F(TireWindowTest, ComparesTypedTiresAndFollowsTheCalculator)
{
    const QString kBeyond = u", beyond the usual ±3%: the speedometer and the gearing change noticeably."_s;
    // The tires, metric or not, the difference, the diameters in the unit read first, the true speed at the third.
    const std::vector<std::tuple<QString, QString, bool, QString, QString>> rows = {
        {u"205/55R16"_s, u"225/45R17"_s, false, u"Diameter +0.4%, within the usual ±3%."_s, u"24.88 24.97 60.2"_s},
        {u"26.4"_s, u"28"_s, true, u"Diameter +6.1%"_s + kBeyond, u"670.6 711.2 106.1"_s},
        {u""_s, u"LT265/75R16 123/120S"_s, false, u"Diameter +19.9%"_s + kBeyond, u"26.40 31.65 71.9"_s},
    };
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        QWidget* pWindow = OpenTires(hDlg);
        ASSERT_TRUE(pWindow != nullptr && pWindow->isVisible() && pWindow->windowModality() == Qt::NonModal);
        auto* pFirst = Named<QLineEdit>(pWindow, u"Tire the speedometer is set for"_s);
        auto* pSecond = Named<QLineEdit>(pWindow, u"Tire to compare with"_s);
        EXPECT_EQ(Line(pWindow, u"Diameter difference"_s), u"Diameter +0.0%, within the usual ±3%."_s);
        TypeInto(hDlg, IDC_TIRE_OD, "28");
        EXPECT_EQ(Cell(pWindow, u"Tires"_s, 1, 2) + pSecond->placeholderText(), u"28.00Calculator, 28.00 in"_s);
        pSecond->setText(u"225/45R17"_s); // the typed tire names its column
        EXPECT_EQ(Named<QTableView>(pWindow, u"Tires"_s)->model()->headerData(2, Qt::Horizontal), u"225/45R17"_s);
        TypeInto(hDlg, IDC_TIRE_OD, "26.4");
        for (const auto& [first, second, bMetric, difference, figures] : rows) {
            if (platform::IsButtonChecked(Item(hDlg, IDC_METRIC)) != bMetric)
                Click(hDlg, IDC_METRIC);
            pFirst->setText(first);
            pSecond->setText(second);
            EXPECT_EQ(Line(pWindow, u"Diameter difference"_s), difference);
            EXPECT_EQ(QStringList({Cell(pWindow, u"Tires"_s, 1, 1), Cell(pWindow, u"Tires"_s, 1, 2),
                                   Cell(pWindow, u"True speeds"_s, 2, 1)})
                          .join(u' '),
                      figures);
        }
        pFirst->setText(u"205/55R"_s);
        EXPECT_EQ(Line(pWindow, u"Diameter difference"_s), u"No comparison: 205/55R is no tire."_s);
        EXPECT_TRUE(pFirst->accessibleDescription().startsWith(u"Use a size like"_s));
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
        for (int nRow = 0; nRow < 4; ++nRow) {
            for (int nColumn : {0, 2, 3})
                choices << Cell(pWindow, u"Rear ends sold"_s, nRow, nColumn);
        }
        EXPECT_EQ(choices.join(u' '), u"3.550 56.9 2250 3.730 59.8 2364 3.900 62.5 2472 4.100 65.7 2599"_s);
        EXPECT_TRUE(Line(pWindow, u"Sources"_s).startsWith(u"Ratios sold for the Ford 8.8 in: "_s));

        // A row chosen in the table, then Alt+U; with none chosen, the exact ratio, which gives B's speeds back.
        auto* pTable = Named<QTableView>(pWindow, u"Rear ends sold"_s);
        pTable->setFocus();
        QTest::keyClick(pTable, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), pTable) << "Tab leaves the table, as it leaves a field";
        pTable->setFocus();
        QTest::keyClick(pTable, Qt::Key_Home);
        QTest::keyClick(pTable, Qt::Key_Down);
        TypeInto(hDlg, IDC_CRUISE_SPEED, "71"); // the table follows, keeping the row chosen
        QTest::keyClick(pWindow, Qt::Key_U, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Text(hDlg, IDC_REAR_END) == "3.73"; })) << Text(hDlg, IDC_REAR_END);
        EXPECT_EQ(Text(hDlg, IDC_SPEED4) + Cell(pWindow, u"Rear ends sold"_s, 1, 0).toStdString(), "33.33.730");
        pTable->selectionModel()->clearSelection();
        QTest::keyClick(pWindow, Qt::Key_U, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Text(hDlg, IDC_REAR_END) == "3.744"; }));
        EXPECT_EQ(Text(hDlg, IDC_SPEED4), "33.2");
        TypeInto(hDlg, IDC_TIRE_OD, "26.4"); // B on the tire now: nothing to regear
        EXPECT_FALSE(pTable->isVisible());
    });
}

} // namespace
