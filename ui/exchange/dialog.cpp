#include "ui/exchange/dialog.h"

#include <array>

#include "ui/exchange/exceptions.h"
#include "ui/exchange/messagetable.h"
#include "ui/exchange/winapp.h"
#include "ui/exchange/wnd.h"

namespace {

constexpr std::array<MessageEntry<CDialog>, 2> kMessageTable{{
    {IDOK, BN_CLICKED, &CDialog::OnOkCommand},
    {IDCANCEL, BN_CLICKED, &CDialog::OnCancelCommand},
}};

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
        HWND hDialog = GetParentDialog(hParent);
        return hDialog != nullptr ? hDialog : hParent;
    }
    const CWinApp* pApp = GetApp();
    if (pApp == nullptr || pApp->m_pMainWnd == nullptr || pApp->m_pMainWnd->m_hWnd == nullptr)
        return nullptr;
    return GetLastActivePopup(pApp->m_pMainWnd->m_hWnd);
}

int CDialog::RunModal()
{
    const DialogTemplate* pTemplate = FindDialogTemplate(m_nTemplateId);
    if (pTemplate == nullptr)
        return -1;
    // The owner is not disabled by hand: the modal loop blocks input to every other window of the program,
    // and a disabled owner would be drawn greyed out behind the dialog.
    HWND hOwner = FindOwner();

    try {
        m_hWnd = CreateDialogWindow(*pTemplate, hOwner, this);
        m_nResult = -1;
        m_bContinue = true;
        const bool bDefaultFocus = OnDialogInit();
        if (m_bContinue) {
            if (bDefaultFocus)
                FocusFirstTabStop(m_hWnd);
            m_bInLoop = true;
            RunModalLoop(m_hWnd);
            m_bInLoop = false;
            m_bContinue = false;
        }
        HideWindow(m_hWnd);
    } catch (const CException&) {
        m_bInLoop = false;
        m_bContinue = false;
        m_nResult = -1;
    }

    if (hOwner != nullptr)
        ActivateWindow(hOwner);
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
            EndModalLoop(m_hWnd);
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
    ReleaseControlBindings();
    DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}
