// The program as main() runs it, with a modal seam in place of a person: each dialog once shown, with the calculator's
// RPM once its start-up work is done, and each box, one line each on standard output; every dialog then closes.

#include <cstdio>

#include <QCoreApplication>

#include "app/program.h"
#include "platform/modalseam.h"
#include "platform/window.h"
#include "ui/resource.h"

int main(int argc, char** argv)
{
    CModalSeam seam;
    seam.SetMessageBoxHandler([](const CBoxRecord& record) {
        std::printf("box %s|%s\n", record.strCaption.c_str(), record.strText.c_str());
        return IDOK;
    });
    seam.SetModalDriver([](HWND hDlg) {
        QCoreApplication::processEvents();
        HWND hRpm = platform::GetDlgItem(hDlg, IDC_RPM);
        std::printf("dialog %d %s\n", platform::GetDialogTemplateId(hDlg),
                    hRpm != nullptr ? platform::GetWindowText(hRpm).c_str() : "");
    });
    return RunProgram(argc, argv);
}
