// The Performance window as a user meets it: opened from the calculator's workbench, filled from the calculator, a
// preset and a typed torque curve, live figures, problems beside their fields, vehicle files through the modal seam.

#include <filesystem>
#include <numbers>
#include <set>
#include <sstream>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "platform/performance/performanceview.h"
#include "settingsfile/presetsfile.h"
#include "settingsfile/vehiclefile.h"
#include "tests/support/files.h"
#include "tests/support/named.h"
#include "tests/support/snapshot.h"
#include "tests/support/vehicles.h"
#include "tests/ui/calculator.h"

namespace {

using namespace Qt::StringLiterals;

// Clicks the tab of the page that holds the field, as a user goes to it.
void GoTo(QWidget* pField)
{
    auto* pTabs = pField->window()->findChild<QTabWidget*>();
    for (int nTab = 0; nTab < pTabs->count(); ++nTab) {
        if (pTabs->widget(nTab)->isAncestorOf(pField))
            QTest::mouseClick(pTabs->tabBar(), Qt::LeftButton, {}, pTabs->tabBar()->tabRect(nTab).center());
    }
}

void Type(QWidget* pWindow, const QString& name, const QString& text)
{
    auto* pEdit = Named<QLineEdit>(pWindow, name);
    GoTo(pEdit);
    QTest::keyClick(pEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(pEdit, text);
}

// Into a cell as a user edits one: F2, the text, Enter.
void TypeCell(QWidget* pWindow, const QString& table, int nRow, int nColumn, const QString& text)
{
    auto* pTable = Named<QTableView>(pWindow, table);
    GoTo(pTable);
    pTable->setCurrentIndex(pTable->model()->index(nRow, nColumn));
    QTest::keyClick(pTable, Qt::Key_F2);
    // The editor open now; those closed before are hidden until deleted.
    for (QLineEdit* pEditor : pTable->viewport()->findChildren<QLineEdit*>()) {
        if (pEditor->isVisible()) {
            QTest::keyClick(pEditor, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(pEditor, text);
            QTest::keyClick(pEditor, Qt::Key_Return);
            QCoreApplication::processEvents(); // the view commits the text on its next turn
        }
    }
}

class PerformanceWindowTest : public CalculatorTest
{
protected:
    void SetUp() override
    {
        CalculatorTest::SetUp();
        // The window's settings and the user's presets (one file broken) in a directory of the test's own.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(m_dir.Path()));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(m_dir.Path()));
        qputenv("XDG_DATA_DIRS",
                QByteArray::fromStdString(std::filesystem::path(RATIOGRAPH_PRESETS_FILE).parent_path().parent_path()));
        std::filesystem::create_directory(m_dir.Path() + "/ratiograph");
        WriteBytes(m_dir.Path() + "/ratiograph/mine.jsonl", "{\"format\": \"ratiograph-presets\", \"version\": 2}\n");
    }

    CScratchDir m_dir;
};

TEST_F(PerformanceWindowTest, FromTheCalculatorToTheTopSpeed)
{
    const ReadOutcome<PresetList> presets = ReadPresetsFile(RATIOGRAPH_PRESETS_FILE);
    ASSERT_TRUE(presets.value);
    const auto tenSpeed = std::ranges::find_if(*presets.value, [](auto& p) { return p.gearbox.forward.size() == 10; });
    ASSERT_NE(tenSpeed, presets.value->end());

    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(hDlg, IDC_SAMPLE);
        Click(hDlg, IDC_WORKBENCH);
        Click(hDlg, IDC_PERFORMANCE);
        QWidget* pWindow = platform::WidgetOf(hDlg)->findChild<QWidget*>(u"PerformanceWindow"_s);
        ASSERT_TRUE(pWindow != nullptr && pWindow->isWindow() && pWindow->isVisible());
        EXPECT_EQ(pWindow->windowModality(), Qt::NonModal);
        Click(hDlg, IDC_PERFORMANCE); // raises the same window
        EXPECT_EQ(platform::WidgetOf(hDlg)->findChildren<QWidget*>(u"PerformanceWindow"_s).size(), 1);
        EXPECT_EQ(Cell(pWindow, u"Forward gears"_s, 4, 0), u"0.75"_s);
        EXPECT_EQ(Named<QLabel>(pWindow, u"Problems"_s)->text(),
                  u"Torque curve: give 3 to 1000 points, not 0.\nRoad load: the mass must be a positive number.\n"
                  u"Road load: the drag coefficient must be a number of 0 or more.\n…and 1 more."_s);
        EXPECT_TRUE(Named<QLabel>(pWindow, u"Problems"_s)->isVisible());
        // The user's broken file is told beside the presets; the installed ones are offered all the same.
        auto* pPreset = Named<QComboBox>(pWindow, u"Gearbox preset"_s);
        EXPECT_TRUE(Named<QLabel>(pWindow, u"Preset file problems"_s)->text().contains(u"/mine.jsonl:1: "_s));
        EXPECT_EQ(pPreset->count(), static_cast<int>(presets.value->size()) + 1);

        for (const char* pszRpm : {"0.5", "6500"}) { // any RPM above 0 is taken, to be judged here
            TypeInto(hDlg, IDC_RPM, pszRpm);
            QTest::mouseClick(Named<QAbstractButton>(pWindow, u"From &calculator"_s), Qt::LeftButton);
            EXPECT_EQ(Named<QLineEdit>(pWindow, u"Redline in RPM"_s)->text().toStdString(), pszRpm);
        }
        for (int i = 0; i < pPreset->count() && pPreset->currentText() != QString::fromStdString(tenSpeed->strName);
             ++i)
            QTest::keyClick(pPreset, Qt::Key_Down);
        Type(pWindow, u"Tire"_s, u"685"_s);
        QTest::keyClick(Named<QComboBox>(pWindow, u"Tire given as"_s), Qt::Key_Up); // inches to mm
        const std::vector<TorquePoint> curve = {{1000, 306}, {2020, 385}, {2990, 439}, {5000, 450}, {6500, 367}};
        for (std::size_t i = 0; i < curve.size(); ++i) {
            QTest::mouseClick(Named<QAbstractButton>(pWindow, u"&Add point"_s), Qt::LeftButton);
            TypeCell(pWindow, u"Torque curve"_s, int(i), 0, QString::number(curve[i].rpm));
            TypeCell(pWindow, u"Torque curve"_s, int(i), 1, QString::number(curve[i].value));
        }
        EXPECT_EQ(
            Named<QLabel>(pWindow, u"Problems"_s)->text(), // three told whole
            u"Road load: the mass must be a positive number.\nRoad load: the drag coefficient must be a number of "
            u"0 or more.\nRoad load: the frontal area must be a number of 0 or more."_s);
        Type(pWindow, u"Mass"_s, u"1741"_s);
        Type(pWindow, u"Drag coefficient"_s, u"0.36"_s);
        Type(pWindow, u"Frontal area"_s, u"2.42"_s);

        // Nine upshifts; 1st at the redline as pi x diameter says; the top speed as the model has it.
        Vehicle vehicle{"", tenSpeed->gearbox, {TireKind::DiameterMm, 685}, {6500, {TorqueUnit::NewtonMetres, curve}}};
        vehicle.gearbox.finalDrives = {3.53};
        vehicle.road = {1741, MassUnit::Kilograms, 0.36, 2.42};
        const std::optional<PerformanceAnalysis> analysis = AnalysePerformance(vehicle);
        ASSERT_TRUE(analysis && analysis->topSpeed);
        int nUpshifts = 0;
        for (int nRow = 0; nRow < 10; ++nRow)
            nUpshifts += Cell(pWindow, u"Results per gear"_s, nRow, 4) != u"N/A"_s;
        EXPECT_EQ(nUpshifts, 9);
        EXPECT_FALSE(Named<QLabel>(pWindow, u"Problems"_s)->isVisible());
        const QAbstractItemModel* pResults = Named<QTableView>(pWindow, u"Results per gear"_s)->model();
        EXPECT_EQ(pResults->headerData(9, Qt::Vertical).toString(), u"10th"_s);
        const double kmh = 6500 * std::numbers::pi * 0.685 * 0.06 / (tenSpeed->gearbox.forward[0] * 3.53);
        EXPECT_EQ(Cell(pWindow, u"Results per gear"_s, 0, 3), QString::number(kmh, 'f', 1));
        QTest::keyClick(Named<QComboBox>(pWindow, u"Speed unit"_s), Qt::Key_Down);
        EXPECT_EQ(Cell(pWindow, u"Results per gear"_s, 0, 3), QString::number(kmh / 1.609344, 'f', 1));
        QTest::keyClick(Named<QComboBox>(pWindow, u"Speed unit"_s), Qt::Key_Up);
        EXPECT_EQ(Named<QLabel>(pWindow, u"Top speed"_s)->text(),
                  u"Top speed: %1 km/h in %2th, limited by the road load."_s.arg(analysis->topSpeed->kmh, 0, 'f', 1)
                      .arg(analysis->topSpeed->nGear));
        const QString description = Named(pWindow, u"Wheel force chart"_s)->accessibleDescription();
        EXPECT_TRUE(description.contains(u"9th to 10th at "_s)) << description.toStdString();

        // An edit changes table and chart; a bad point clears them and says why beside the cell.
        // Views and screen readers learn of a changed cell from the model.
        QSignalSpy changedCells(pResults, &QAbstractItemModel::dataChanged);
        Type(pWindow, u"Final drive"_s, u"3.0"_s);
        EXPECT_EQ(Cell(pWindow, u"Results per gear"_s, 0, 1), u"3"_s);
        EXPECT_FALSE(changedCells.isEmpty());
        EXPECT_NE(Named(pWindow, u"Wheel force chart"_s)->accessibleDescription(), description);
        TypeCell(pWindow, u"Torque curve"_s, 2, 0, u"900"_s);
        EXPECT_EQ(Named<QTableView>(pWindow, u"Results per gear"_s)->model()->rowCount(), 0);
        EXPECT_EQ(Cell(pWindow, u"Torque curve"_s, 2, 0, Qt::AccessibleDescriptionRole),
                  u"Torque curve: RPM must rise from point to point (point 3)."_s);
        EXPECT_FALSE(
            Named<QTableView>(pWindow, u"Torque curve"_s)->model()->index(2, 0).data(Qt::DecorationRole).isNull());
        EXPECT_TRUE(Named<QLabel>(pWindow, u"Problems"_s)->text().contains(u"(point 3)"_s));
        EXPECT_FALSE(Named<QAbstractButton>(pWindow, u"&Save vehicle…"_s)->isEnabled());
        TypeCell(pWindow, u"Torque curve"_s, 2, 0, u"2990"_s);
        const QString firstRatio = Cell(pWindow, u"Forward gears"_s, 0, 0);
        TypeCell(pWindow, u"Forward gears"_s, 0, 0, u"0"_s); // told on the table as on the cell
        EXPECT_TRUE(Named(pWindow, u"Forward gears"_s)->accessibleDescription().startsWith(u"Gearbox"_s));
        EXPECT_EQ(Cell(pWindow, u"Forward gears"_s, 0, 0, Qt::AccessibleDescriptionRole),
                  u"Gearbox: a ratio must be a positive number (gear 1)."_s);
        TypeCell(pWindow, u"Forward gears"_s, 0, 0, firstRatio);
        EXPECT_TRUE(Named(pWindow, u"Forward gears"_s)->accessibleDescription().isEmpty());
        EXPECT_EQ(pPreset->currentIndex(), 0) << "an edited gearbox is no longer the preset";
        // A field's problem beside that field, no other.
        for (const auto& [field, problem] :
             {std::pair{u"Rolling resistance coefficient"_s, u"Road load"_s}, std::pair{u"Tire"_s, u"Tire"_s}}) {
            const QString before = Named<QLineEdit>(pWindow, field)->text();
            Type(pWindow, field, u"-1"_s);
            EXPECT_EQ((QStringList{Named(pWindow, field)->accessibleDescription().left(problem.size()),
                                   Named(pWindow, u"Drivetrain efficiency"_s)->accessibleDescription()}),
                      (QStringList{problem, QString()}));
            Type(pWindow, field, before);
        }
        // One final drive per gear starts each gear on the one there was; a bad one is told on its cell.
        QTest::mouseClick(Named<QAbstractButton>(pWindow, u"One final drive per gear"_s), Qt::LeftButton);
        EXPECT_EQ(Cell(pWindow, u"Forward gears"_s, 9, 1), Named<QLineEdit>(pWindow, u"Final drive"_s)->text());
        TypeCell(pWindow, u"Forward gears"_s, 9, 1, u"0"_s);
        EXPECT_EQ(Cell(pWindow, u"Forward gears"_s, 9, 1, Qt::AccessibleDescriptionRole),
                  u"Gearbox: a final drive must be a positive number (final drive 10)."_s);
        QTest::mouseClick(Named<QAbstractButton>(pWindow, u"One final drive per gear"_s), Qt::LeftButton);

        // Saved, changed, opened again: as it was; a file that is none changes nothing and says why.
        const std::string strPath = m_dir.Path() + "/car.rgvehicle";
        m_seam.QueueFileAnswer(strPath);
        QTest::mouseClick(Named<QAbstractButton>(pWindow, u"&Save vehicle…"_s), Qt::LeftButton);
        Type(pWindow, u"Mass"_s, u"2000"_s);
        WriteBytes(m_dir.Path() + "/bad.rgvehicle", "{");
        for (const std::string strName : {"/bad.rgvehicle", "/car.rgvehicle"}) {
            m_seam.QueueFileAnswer(m_dir.Path() + strName);
            QTest::mouseClick(Named<QAbstractButton>(pWindow, u"&Open vehicle…"_s), Qt::LeftButton);
            EXPECT_EQ(Named<QLineEdit>(pWindow, u"Mass"_s)->text(), strName[1] == 'b' ? u"2000"_s : u"1741"_s);
        }
        EXPECT_EQ(Named<QLineEdit>(pWindow, u"Reverse ratio"_s)->text(), QString::number(*tenSpeed->gearbox.reverse));
        // The file dialogs start at the last vehicle file, which the window keeps.
        EXPECT_EQ(m_seam.Records().back().fileOptions.strFileName, strPath);
        const std::vector<std::string> messages = TakeMessages(m_seam);
        ASSERT_EQ(messages.size(), 1U);
        EXPECT_TRUE(messages[0].starts_with("ERROR|" + m_dir.Path() + "/bad.rgvehicle:1:")) << messages[0];
        EXPECT_EQ(Named<QTableView>(pWindow, u"Forward gears"_s)->model()->rowCount(), 10);
        EXPECT_EQ(Cell(pWindow, u"Results per gear"_s, 0, 1), u"3"_s);

        // The table through the report layer, the chart drawn: by the extension chosen; a failure says why.
        for (const char* pszName : {"/perf.csv", "/perf.svg", "/none/perf.csv"}) {
            m_seam.QueueFileAnswer(m_dir.Path() + pszName);
            QTest::mouseClick(Named<QAbstractButton>(pWindow, u"E&xport…"_s), Qt::LeftButton);
        }
        EXPECT_EQ(TakeMessages(m_seam),
                  Texts{"ERROR|Error saving " + m_dir.Path() + "/none/perf.csv: No such file or directory"});
        const std::string strCsv = ReadBytes(m_dir.Path() + "/perf.csv");
        EXPECT_TRUE(strCsv.starts_with("Gear,Ratio,") && std::ranges::count(strCsv, '\n') == 11) << strCsv;
        EXPECT_NE(ReadBytes(m_dir.Path() + "/perf.svg").find("9th to 10th at "), std::string::npos);
    });
}

// A vehicle file named at the start, as a double click on one names it, opens in the Performance window, which
// takes the focus from the calculator; the calculator does not try to load it.
TEST_F(PerformanceWindowTest, VehicleFileNamedAtTheStart)
{
    const std::string strPath = m_dir.Path() + "/car.rgvehicle";
    Vehicle vehicle = SportsCar();
    vehicle.engine.torque.unit = TorqueUnit::Horsepower; // a file's units are the window's
    ASSERT_TRUE(SaveVehicleFile(strPath, vehicle));
    CGearCalcDlg calculator;
    calculator.LoadWhenShown(strPath);
    m_seam.SetModalDriver([&](HWND hDlg) {
        QWidget* pWindow = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            pWindow = platform::WidgetOf(hDlg)->findChild<QWidget*>(u"PerformanceWindow"_s);
            return pWindow != nullptr && QApplication::activeWindow() == pWindow;
        }));
        EXPECT_EQ(Named<QLineEdit>(pWindow, u"Mass"_s)->text() +
                      Named<QComboBox>(pWindow, u"Torque curve unit"_s)->currentText(),
                  u"1741hp"_s);
        calculator.EndModal(IDCANCEL);
    });
    calculator.RunModal();
    EXPECT_EQ(TakeMessages(m_seam), std::vector<std::string>{});
}

// The Performance and Tires windows as a keyboard user meets them: every control Tab reaches, in that order, with
// its kind, text, name and state, and where each label's access key leads; held by a snapshot as the dialogs are.
// Whatever it holds, no access key stands twice among what one page of a window shows.
TEST_F(PerformanceWindowTest, WindowsAsSnapshotted)
{
    std::ostringstream out;
    RunCalculator([&](CGearCalcDlg&, HWND hDlg) {
        Click(hDlg, IDC_WORKBENCH);
        Click(hDlg, IDC_PERFORMANCE);
        Click(hDlg, IDC_TIRES);
        for (const QString& name : {u"PerformanceWindow"_s, u"TireWindow"_s}) {
            QWidget* pWindow = platform::WidgetOf(hDlg)->findChild<QWidget*>(name);
            ASSERT_NE(pWindow, nullptr) << name.toStdString();
            out << name.toStdString() << " \"" << pWindow->windowTitle().toStdString() << "\"\n";
            for (QWidget* pWidget = pWindow->nextInFocusChain(); pWidget != pWindow;
                 pWidget = pWidget->nextInFocusChain()) {
                // Not the tab bar's scroll arrows: whether they show depends on the font.
                if (!(pWidget->focusPolicy() & Qt::TabFocus) || !pWindow->isAncestorOf(pWidget) ||
                    qobject_cast<const QTabBar*>(pWidget->parentWidget()) != nullptr)
                    continue;
                QString text;
                if (const auto* pButton = qobject_cast<const QAbstractButton*>(pWidget))
                    text = pButton->text() + (pButton->isCheckable() ? u" [toggle]"_s : QString());
                else if (const auto* pCombo = qobject_cast<const QComboBox*>(pWidget); pCombo && pCombo->count() < 6)
                    for (int i = 0; i < pCombo->count(); ++i)
                        text += (i ? u"|"_s : QString()) + pCombo->itemText(i);
                else if (const auto* pTable = qobject_cast<const QTableView*>(pWidget))
                    for (int i = 0; i < pTable->model()->columnCount(); ++i)
                        text += (i ? u"|"_s : QString()) +
                                pTable->model()->headerData(i, Qt::Horizontal).toString().replace(u'\n', u' ');
                out << "  " << pWidget->metaObject()->className() << " \"" << text.toStdString() << "\" \""
                    << pWidget->accessibleName().toStdString() << '"' << (pWidget->isEnabled() ? "" : " disabled")
                    << '\n';
            }
            for (const QLabel* pLabel : pWindow->findChildren<QLabel*>())
                if (pLabel->buddy() != nullptr || !QKeySequence::mnemonic(pLabel->text()).isEmpty())
                    out << "  label \"" << pLabel->text().toStdString() << "\" for \""
                        << (pLabel->buddy() ? pLabel->buddy()->accessibleName().toStdString() : "") << "\"\n";
            auto* pTabs = pWindow->findChild<QTabWidget*>();
            for (int nPage = 0; nPage < (pTabs ? pTabs->count() : 1); ++nPage) {
                QStringList texts;
                for (int nTab = 0; pTabs && nTab < pTabs->count(); ++nTab)
                    texts << pTabs->tabText(nTab);
                if (pTabs)
                    pTabs->setCurrentIndex(nPage);
                for (const QLabel* pLabel : pWindow->findChildren<QLabel*>())
                    texts << (pLabel->isVisible() ? pLabel->text() : QString());
                for (const QAbstractButton* pButton : pWindow->findChildren<QAbstractButton*>())
                    texts << (pButton->isVisible() ? pButton->text() : QString());
                std::set<QString> keys;
                for (const QString& text : texts) {
                    const QString key = QKeySequence::mnemonic(text).toString();
                    EXPECT_TRUE(key.isEmpty() || keys.insert(key).second) << text.toStdString();
                }
            }
        }
    });
    ExpectSnapshot(out.str(), RATIOGRAPH_WINDOWS_SNAPSHOT);
}

} // namespace
