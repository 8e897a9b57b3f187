#pragma once

#include <string>
#include <string_view>

class CWnd;

// The application object: there is one, and the framework's start-up finds it. Its name is the caption of
// every prompt.
class CWinApp
{
public:
    // Without a name the application takes the program file's name.
    explicit CWinApp(std::string_view appName = {});
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's own start; false means there is no message loop to run afterwards.
    virtual bool InitInstance();

    std::string m_strAppName;
    CWnd* m_pMainWnd = nullptr;

private:
    friend int RunWinApp();
    bool m_bNameGiven;
    CWinApp* m_pPreviousApp; // an application object made inside another one (a test's) hands back on exit
};

CWinApp* GetApp();

// The framework's start-up: fixes the application's name, then runs InitInstance. Returns the exit code.
int RunWinApp();

// The program file's name without directory and extension.
std::string AppNameFromModulePath(std::string_view strModulePath);
