// What a keystroke costs the program: from an input field's text change to every display, the workbench's too,
// and the shift chart rewritten and repainted, with the calculator open on the headless platform, its workbench
// shown with a cruise speed and a setup B held.

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QByteArray>
#include <QCoreApplication>

#include "platform/modalseam.h"
#include "platform/widgetaccess.h"
#include "platform/window.h"
#include "ui/exchange/winapp.h"
#include "ui/gearcalcdlg.h"
#include "ui/resource.h"
#include "ui/templates.h"

namespace {

HWND g_hCalculator = nullptr;

void BM_KeystrokeToDisplays(benchmark::State& state)
{
    HWND hGear1 = platform::GetDlgItem(g_hCalculator, IDC_GEAR1);
    const char* const texts[] = {"2.68", "2.7"};
    int i = 0;
    for (auto _ : state) {
        platform::SetWindowText(hGear1, texts[i]);
        // The repaint of the changed field and displays, into the window's backing store.
        QCoreApplication::processEvents();
        i ^= 1;
    }
    platform::SetWindowText(hGear1, "2.7");
    if (platform::GetWindowText(platform::GetDlgItem(g_hCalculator, IDC_SPEED1)) != "12.3")
        state.SkipWithError("the displays did not follow the field");
}
BENCHMARK(BM_KeystrokeToDisplays);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    benchmark::Initialize(&argc, argv);
    CPlatformSession session(argc, argv);
    CWinApp app("keystroke_bench");
    RegisterProgramResources();

    CModalSeam seam;
    CGearCalcDlg calculator;
    app.m_pMainWnd = &calculator;
    seam.SetModalDriver([&](HWND hDlg) {
        g_hCalculator = hDlg;
        calculator.OnSampleSettings();
        qobject_cast<QAbstractButton*>(platform::WidgetOf(platform::GetDlgItem(hDlg, IDC_WORKBENCH)))->click();
        platform::SetWindowText(platform::GetDlgItem(hDlg, IDC_CRUISE_SPEED), "70");
        calculator.OnHoldB();
        QCoreApplication::processEvents(); // the first paint of the whole window is no keystroke
        benchmark::RunSpecifiedBenchmarks();
        calculator.EndModal(IDCANCEL);
    });
    calculator.RunModal();
    app.m_pMainWnd = nullptr;
    benchmark::Shutdown();
    return seam.Records().empty() ? 0 : 1;
}
