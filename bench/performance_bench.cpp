// What an edit costs the Performance window: one point of a 100-point torque curve changed in its table, the
// vehicle figured again, and the table per gear and the force chart rewritten and repainted, for a 10-speed with
// its road load, on the headless platform at the window's usual size.

#include <cmath>

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QLineEdit>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>

#include "platform/performance/performancewindow.h"

namespace {

using namespace Qt::StringLiterals;

QWidget* g_pWindow = nullptr;

template<class TWidget>
TWidget* Named(const QString& name)
{
    for (TWidget* pWidget : g_pWindow->findChildren<TWidget*>()) {
        const auto* pButton = qobject_cast<QAbstractButton*>(pWidget);
        if (pWidget->accessibleName() == name || (pButton != nullptr && pButton->text() == name))
            return pWidget;
    }
    return nullptr;
}

void SetCell(const QString& table, int nRow, int nColumn, const QString& text)
{
    QAbstractItemModel* pModel = Named<QTableView>(table)->model();
    pModel->setData(pModel->index(nRow, nColumn), text, Qt::EditRole);
}

// A 10-speed automatic, a 685 mm tire, a smooth curve of 100 points from 1000 to 6940 RPM, a sports car's road load.
void FillVehicle()
{
    const double ratios[] = {4.696, 2.985, 2.146, 1.769, 1.520, 1.275, 1.000, 0.854, 0.689, 0.636};
    for (int nGear = 0; nGear < 10; ++nGear) {
        Named<QAbstractButton>(u"&Add gear"_s)->click();
        SetCell(u"Forward gears"_s, nGear, 0, QString::number(ratios[nGear]));
    }
    Named<QLineEdit>(u"Final drive"_s)->setText(u"3.31"_s);
    Named<QLineEdit>(u"Tire"_s)->setText(u"26.97"_s);
    Named<QLineEdit>(u"Redline in RPM"_s)->setText(u"6500"_s);
    for (int nPoint = 0; nPoint < 100; ++nPoint) {
        Named<QAbstractButton>(u"&Add point"_s)->click();
        const double rpm = 1000 + 60 * nPoint;
        SetCell(u"Torque curve"_s, nPoint, 0, QString::number(rpm));
        SetCell(u"Torque curve"_s, nPoint, 1, QString::number(300 + 150 * std::sin(rpm / 2000.0), 'f', 1));
    }
    Named<QLineEdit>(u"Mass"_s)->setText(u"1741"_s);
    Named<QLineEdit>(u"Drag coefficient"_s)->setText(u"0.36"_s);
    Named<QLineEdit>(u"Frontal area"_s)->setText(u"2.42"_s);
}

void BM_EditToTableAndChart(benchmark::State& state)
{
    const QString values[] = {u"400"_s, u"410"_s};
    int i = 0;
    for (auto _ : state) {
        SetCell(u"Torque curve"_s, 50, 1, values[i]);
        // The repaint of the changed cells, the table and the chart, into the window's backing store.
        QCoreApplication::processEvents();
        i ^= 1;
    }
    if (Named<QTableView>(u"Results per gear"_s)->model()->rowCount() != 10)
        state.SkipWithError("the table did not follow the edit");
}
BENCHMARK(BM_EditToTableAndChart);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    benchmark::Initialize(&argc, argv);
    CPlatformSession session(argc, argv);
    // The window keeps its geometry and units in the program's settings: here in a directory of the run's own.
    const QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());

    ShowPerformanceWindow(nullptr, {});
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        g_pWindow = pWidget->objectName() == u"PerformanceWindow"_s ? pWidget : g_pWindow;
    if (g_pWindow == nullptr)
        return 1;
    g_pWindow->resize(1280, 780);
    FillVehicle();
    QCoreApplication::processEvents(); // the first paint of the whole window is no edit
    benchmark::RunSpecifiedBenchmarks();
    g_pWindow->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    benchmark::Shutdown();
    return 0;
}
