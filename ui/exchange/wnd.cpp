#include "ui/exchange/wnd.h"

#include <new>

#include "ui/exchange/exceptions.h"
#include "ui/exchange/formexchange.h"
#include "ui/exchange/prompts.h"

namespace {

thread_local HWND g_hLockoutWnd = nullptr;

// Sets the lock-out to one window for the life of a pass and restores the previous one after it, so that
// passes on different windows nest.
class CLockoutScope
{
public:
    explicit CLockoutScope(HWND hWnd) : m_hSaved(g_hLockoutWnd) { g_hLockoutWnd = hWnd; }
    ~CLockoutScope() { g_hLockoutWnd = m_hSaved; }
    CLockoutScope(const CLockoutScope&) = delete;
    CLockoutScope& operator=(const CLockoutScope&) = delete;

private:
    HWND m_hSaved;
};

} // namespace

HWND GetLockoutWindow()
{
    return g_hLockoutWnd;
}

bool CWnd::ExchangeData(bool bSave)
{
    CFormExchange fx(bSave, this);
    CLockoutScope lockout(m_hWnd);
    try {
        ExchangeFields(fx);
        return true;
    } catch (const CUserException&) {
        return false; // the user has been prompted already
    } catch (const CException& exception) {
        exception.ReportError(MB_ICONEXCLAMATION, IDP_INTERNAL_FAILURE);
        return false;
    } catch (const std::bad_alloc&) {
        CMemoryException().ReportError(MB_ICONEXCLAMATION, IDP_INTERNAL_FAILURE);
        return false;
    }
}

void CWnd::ExchangeFields(CFormExchange&) {}

std::string CWnd::GetWindowText() const
{
    return platform::GetWindowText(m_hWnd);
}

void CWnd::SetWindowText(std::string_view text)
{
    platform::SetWindowText(m_hWnd, text);
}

void CWnd::SetFocus()
{
    platform::SetFocus(m_hWnd);
}

HWND CWnd::GetDlgItem(int nId) const
{
    return platform::GetDlgItem(m_hWnd, nId);
}

std::string CWnd::GetDlgItemText(int nId) const
{
    return platform::GetWindowText(GetDlgItem(nId));
}

void CWnd::SetDlgItemText(int nId, std::string_view text)
{
    platform::SetWindowText(GetDlgItem(nId), text);
}

void CWnd::BindControl(CWnd& rControl, HWND hControl)
{
    rControl.m_hWnd = hControl;
    m_boundControls.push_back(&rControl);
}

void CWnd::UnbindControls()
{
    for (CWnd* pControl : m_boundControls)
        pControl->m_hWnd = nullptr;
    m_boundControls.clear();
}

void CWnd::OnWindowCommand(int nId, int nCode, HWND hControl)
{
    // A pass on this window is running: the change it causes itself must not start another.
    if (hControl != nullptr && m_hWnd != nullptr && m_hWnd == g_hLockoutWnd)
        return;
    OnCommand(nId, nCode);
}

bool CWnd::OnCommand(int, int)
{
    return false;
}
