// The UI tests' main: an offscreen application whose start-up runs the tests, so prompts carry the program's name.

#include <clocale>

#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/window.h"
#include "ui/exchange/winapp.h"

namespace {

QtMessageHandler s_defaultHandler = nullptr;

class CTestApp : public CWinApp
{
public:
    int m_nResult = 1;

    bool InitInstance() override
    {
        m_nResult = RUN_ALL_TESTS();
        return false;
    }
};

// The headless platform cannot raise windows and says so at every dialog; nothing else is dropped.
void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message != QStringLiteral("This plugin does not support raise()"))
        s_defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    s_defaultHandler = qInstallMessageHandler(FilterMessages);
    // What the program keeps between runs goes to a directory of the tests' own, never the user's.
    const QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    CPlatformSession session(argc, argv);
    // Tests that do not test the locale run in the C locale.
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    CTestApp app;
    RunWinApp();
    return app.m_nResult;
}
