#include "ui/exchange/dialog.h"

#include <array>

#include "ui/exchange/exceptions.h"
#include "ui/exchange/messagetable.h"
#include "ui/exchange/winapp.h"
#include "ui/exchange/wnd.h"

namespace {

constexpr auto kMessageTable = std::to_array<MessageEntry<CDialog>>({
    {IDOK, BN_CLICKED, &CDialog::OnOkCommand},
    {IDCANCEL, BN_CLICKED, &CDialog::OnCancelCommand},
});

} // namespace

CDialog::CDialog(int nTemplateId, CWnd* pParentWnd) : m_nTemplateId(nTemplateId), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    DestroyDialogWindow();
}

HWND CDialog::FindOwner() const
{
    if (m_pParentWnd != nullptr && m_pParentWnd->m_hWnd != nullptr) {
        HWND hParent = m_pParentWnd->m_hWnd;
        HWND hDialog = platform::GetParentDialog(hParent);
        return hDialog != nullptr ? hDialog : hParent;
    }
    const CWinApp* pApp = GetApp();
    if (pApp == nullptr || pApp->m_pMainWnd == nullptr || pApp->m_pMainWnd->m_hWnd == nullptr)
        return nullptr;
    return platform::GetLastActivePopup(pApp->m_pMainWnd->m_hWnd);
}

int CDialog::RunModal()
{
    const DialogTemplate* pTemplate = FindDialogTemplate(m_nTemplateId);
    if (pTemplate == nullptr)
        return -1;
    try {
        m_hWnd = platform::CreateDialogWindow(*pTemplate, FindOwner(), this);
        m_nResult = -1;
        m_bContinue = true;
        const bool bDefaultFocus = OnDialogInit();
        if (m_bContinue) {
            if (bDefaultFocus)
                platform::FocusFirstTabStop(m_hWnd);
            m_bInLoop = true;
            // Returns once EndModal ends the run. No quit request can end it early: Qt delivers those only to a
            // program in QApplication::exec, which this one never runs; a desktop logging out closes the windows.
            platform::RunModalLoop(m_hWnd);
            m_bInLoop = false;
            m_bContinue = false;
        }
    } catch (const CException&) {
        m_bInLoop = false;
        m_bContinue = false;
        m_nResult = -1;
    }
    DestroyDialogWindow();
    return m_nResult;
}

bool CDialog::OnDialogInit()
{
    if (!ExchangeData(false)) {
        EndModal(-1);
        return false;
    }
    return true;
}

void CDialog::OnOkCommand()
{
    if (ExchangeData(true))
        EndModal(IDOK);
}

void CDialog::OnCancelCommand()
{
    EndModal(IDCANCEL);
}

void CDialog::EndModal(int nResult)
{
    if (m_bInLoop || m_bContinue) {
        m_nResult = nResult;
        if (m_bContinue) {
            m_bContinue = false;
            platform::EndModalLoop(m_hWnd, nResult);
        }
    }
}

bool CDialog::OnCommand(int nId, int nCode)
{
    return DispatchMessageTable<CDialog>(this, kMessageTable, nId, nCode);
}

void CDialog::DestroyDialogWindow()
{
    if (m_hWnd == nullptr)
        return;
    UnbindControls();
    platform::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}
