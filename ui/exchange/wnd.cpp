#include "ui/exchange/wnd.h"

#include <new>
#include <unordered_map>

#include "ui/exchange/exceptions.h"
#include "ui/exchange/formexchange.h"
#include "ui/exchange/prompts.h"

namespace {

thread_local HWND g_hLockoutWnd = nullptr;

// Control windows and the objects bound to them.
thread_local std::unordered_map<HWND, CWnd*> g_boundControls;

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

CWnd::~CWnd()
{
    UnsubclassWindow();
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
    return ::GetWindowText(m_hWnd);
}

void CWnd::SetWindowText(std::string_view text)
{
    ::SetWindowText(m_hWnd, text);
}

void CWnd::SetFocus()
{
    ::SetFocus(m_hWnd);
}

HWND CWnd::GetDlgItem(int nId) const
{
    return ::GetDlgItem(m_hWnd, nId);
}

bool CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || g_boundControls.contains(hWnd))
        return false;
    g_boundControls.emplace(hWnd, this);
    m_hWnd = hWnd;
    return true;
}

void CWnd::UnsubclassWindow()
{
    const auto it = g_boundControls.find(m_hWnd);
    if (it != g_boundControls.end() && it->second == this) {
        g_boundControls.erase(it);
        m_hWnd = nullptr;
    }
}

void CWnd::ReleaseControlBindings()
{
    for (auto it = g_boundControls.begin(); it != g_boundControls.end();) {
        if (GetParentDialog(it->first) == m_hWnd) {
            it->second->m_hWnd = nullptr;
            it = g_boundControls.erase(it);
        } else {
            ++it;
        }
    }
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
