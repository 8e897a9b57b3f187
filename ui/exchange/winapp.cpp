#include "ui/exchange/winapp.h"

#include "platform/window.h"

namespace {

CWinApp* g_pApp = nullptr;

} // namespace

CWinApp::CWinApp(std::string_view appName)
    : m_strAppName(appName), m_bNameGiven(!appName.empty()), m_pPreviousApp(g_pApp)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = m_pPreviousApp;
}

bool CWinApp::InitInstance()
{
    return false;
}

CWinApp* GetApp()
{
    return g_pApp;
}

std::string AppNameFromModulePath(std::string_view strModulePath)
{
    const std::size_t nSlash = strModulePath.find_last_of("\\/:");
    std::string_view name = nSlash == std::string_view::npos ? strModulePath : strModulePath.substr(nSlash + 1);
    const std::size_t nDot = name.find_last_of('.');
    if (nDot != std::string_view::npos)
        name = name.substr(0, nDot);
    return std::string(name);
}

int RunWinApp()
{
    if (g_pApp == nullptr)
        return 1;
    if (!g_pApp->m_bNameGiven)
        g_pApp->m_strAppName = AppNameFromModulePath(platform::GetModuleFileName());
    g_pApp->InitInstance();
    return 0;
}
