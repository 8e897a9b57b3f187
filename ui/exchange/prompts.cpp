#include "ui/exchange/prompts.h"

#include <array>
#include <utility>

#include "numtext/fieldrule.h"
#include "platform/window.h"
#include "ui/exchange/winapp.h"
#include "ui/exchange/wnd.h"

namespace {

constexpr std::array<std::pair<int, std::string_view>, 7> kFrameworkStrings{{
    {IDS_NOT_SUPPORTED, "An unsupported operation was attempted."},
    {IDS_OUT_OF_MEMORY, "Out of memory."},
    {IDP_INTERNAL_FAILURE, "Internal application error."},
    {IDP_ENTER_INTEGER, kEnterIntegerPrompt},
    {IDP_ENTER_NUMBER, kEnterNumberPrompt},
    {IDP_INTEGER_RANGE, kIntegerRangePrompt},
    {IDP_NUMBER_RANGE, kNumberRangePrompt},
}};

} // namespace

std::optional<std::string_view> LoadFrameworkString(int nId)
{
    for (const auto& [nStringId, text] : kFrameworkStrings) {
        if (nStringId == nId)
            return text;
    }
    return std::nullopt;
}

int ShowPrompt(std::string_view text, unsigned nType)
{
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        default:
            break;
        }
    }

    const CWinApp* pApp = GetApp();
    HWND hOwner = nullptr;
    if (pApp != nullptr && pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->m_hWnd != nullptr)
        hOwner = platform::GetLastActivePopup(pApp->m_pMainWnd->m_hWnd);
    // The box is application-modal, which keeps the user out of the main window as long as it is open.
    const std::string strCaption = pApp != nullptr ? pApp->m_strAppName : platform::GetModuleFileName();
    return platform::MessageBox(hOwner, text, strCaption, nType);
}

int ShowPromptId(int nStringId, unsigned nType)
{
    return ShowPrompt(LoadFrameworkString(nStringId).value_or(std::string_view()), nType);
}
