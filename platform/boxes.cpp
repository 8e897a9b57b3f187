#include "platform/window.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "numtext/asciitext.h"
#include "platform/modalseam.h"
#include "platform/qtext.h"
#include "platform/widgetaccess.h"

namespace {

std::unique_ptr<QApplication> g_pApplication;

void DropNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "ratiograph: %s\n", message.toLocal8Bit().constData());
}

// While Qt starts, its notes wait here: when it cannot open the display or find the platform it was asked for,
// it ends the program with a core dump and a page of advice, and one line saying why is what a user needs.
QtMessageHandler g_previousHandler = nullptr;
QList<std::pair<QtMsgType, QString>> g_startNotes;

void HoldStartNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        g_startNotes.append({type, message});
        return;
    }
    // The first note says what failed ("could not connect to display :77"), the fatal one only that it did.
    const QString reason =
        g_startNotes.isEmpty() ? message.section(QLatin1Char('\n'), 0, 0) : g_startNotes.constFirst().second;
    std::fprintf(stderr, "ratiograph: cannot start the window system: %s\n", reason.toLocal8Bit().constData());
    std::_Exit(1);
}

} // namespace

CPlatformSession::CPlatformSession(int& argc, char** argv, Screen screen)
{
    if (screen == Screen::None) {
        // Before the application object exists, which is when Qt picks its platform.
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        // Qt's notes about the desktop it misses (no XDG_RUNTIME_DIR on a server) mean nothing to a command that
        // only draws; whatever fails in drawing comes back as an error of its own.
        qInstallMessageHandler(DropNotes);
    }
    if (screen == Screen::Desktop)
        g_previousHandler = qInstallMessageHandler(HoldStartNotes);
    // Qt takes its own options (-style, -platform, -reverse...) out of argv here.
    g_pApplication = std::make_unique<QApplication>(argc, argv);
    if (screen == Screen::Desktop) {
        qInstallMessageHandler(g_previousHandler);
        for (const auto& [type, message] : std::exchange(g_startNotes, {}))
            g_previousHandler(type, QMessageLogContext(), message);
    }
    // The program's life is a sequence of modal dialogs; the one that closes is never the last window.
    QApplication::setQuitOnLastWindowClosed(false);
    // How Wayland compositors find the program's icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvane.Ratiograph"));
}

CPlatformSession::~CPlatformSession()
{
    g_pApplication.reset();
}

namespace platform {

bool HasDisplay(const std::vector<std::string>& args)
{
    // Qt reads its options with one dash or two.
    const bool bPlatformGiven = std::any_of(args.begin(), args.end(), [](const std::string& arg) {
        return arg == "-platform" || arg == "--platform" || arg.starts_with("-platform=") ||
               arg.starts_with("--platform=");
    });
    return bPlatformGiven || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

std::string GetModuleFileName()
{
    return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
}

int MessageBox(HWND hOwner, std::string_view text, std::string_view caption, unsigned nType)
{
    if (CModalSeam* pSeam = CModalSeam::Current()) {
        CBoxRecord record;
        record.kind = CBoxRecord::Kind::Message;
        record.strText = std::string(text);
        record.strCaption = std::string(caption);
        record.nType = nType;
        record.hOwner = hOwner;
        return pSeam->AnswerMessageBox(record);
    }

    QMessageBox box(WidgetOf(hOwner));
    box.setWindowTitle(ToQString(caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQString(text));
    switch (nType & MB_ICONMASK) {
    case MB_ICONHAND:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONASTERISK:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    struct Button
    {
        QMessageBox::StandardButton button;
        int nAnswer;
    };
    std::vector<Button> buttons;
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
        buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_RETRYCANCEL:
        buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    default:
        buttons = {{QMessageBox::Ok, IDOK}};
    }
    QMessageBox::StandardButtons standardButtons;
    for (const Button& button : buttons)
        standardButtons |= button.button;
    box.setStandardButtons(standardButtons);
    box.setDefaultButton(buttons.front().button);
    box.setWindowModality(Qt::ApplicationModal);
    const int nClicked = box.exec();
    for (const Button& button : buttons) {
        if (button.button == nClicked)
            return button.nAnswer;
    }
    // Closed without a button: what Escape means for this set.
    return buttons.size() == 1 ? buttons.front().nAnswer : IDCANCEL;
}

namespace {

// The dialog and its answer: the file's name as bytes and the filter chosen.
std::pair<std::optional<std::string>, std::size_t> AskForFile(HWND hOwner, const FileDialogOptions& options, bool bSave)
{
    if (CModalSeam* pSeam = CModalSeam::Current()) {
        CBoxRecord record;
        record.kind = bSave ? CBoxRecord::Kind::SaveFile : CBoxRecord::Kind::OpenFile;
        record.hOwner = hOwner;
        record.fileOptions = options;
        return pSeam->AnswerFileDialog(record);
    }

    QFileDialog dialog(WidgetOf(hOwner));
    dialog.setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList nameFilters;
    for (const FileFilter& filter : options.filters)
        nameFilters << ToQString(filter.strName + " (*." + filter.strExtension + ")");
    if (nameFilters.isEmpty()) {
        dialog.setNameFilter(ToQString(options.strFilter));
        dialog.setDefaultSuffix(ToQString(options.strDefaultExt));
    } else {
        dialog.setNameFilters(nameFilters);
        dialog.setDefaultSuffix(ToQString(options.filters.front().strExtension));
        // The dialog adds the chosen type's extension itself, before it asks about replacing a file.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& nameFilter) {
            const qsizetype nFilter = nameFilters.indexOf(nameFilter);
            if (nFilter >= 0)
                dialog.setDefaultSuffix(ToQString(options.filters[static_cast<std::size_t>(nFilter)].strExtension));
        });
    }
    // A name with a wildcard only says what to list, as the filter already does.
    if (!options.strFileName.empty() && options.strFileName.find_first_of("*?") == std::string::npos)
        dialog.selectFile(ToQString(options.strFileName));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {std::nullopt, 0};
    const qsizetype nFilter = nameFilters.indexOf(dialog.selectedNameFilter());
    return {QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString(),
            static_cast<std::size_t>(std::max<qsizetype>(nFilter, 0))};
}

// What the user typed, with the chosen filter's extension added unless it ends in one of the filters' extensions
// (in any case), so that the extension tells which type was taken.
std::string WithChosenExtension(const std::string& strPath, const FileDialogOptions& options, std::size_t nFilter)
{
    if (nFilter >= options.filters.size())
        return strPath;
    const std::string_view name = std::string_view(strPath).substr(strPath.rfind('/') + 1);
    for (const FileFilter& filter : options.filters) {
        if (name.size() > filter.strExtension.size() + 1 && EndsWithNoCase(name, "." + filter.strExtension))
            return strPath;
    }
    return strPath + (strPath.ends_with('.') ? "" : ".") + options.filters[nFilter].strExtension;
}

} // namespace

std::optional<std::string> GetOpenFileName(HWND hOwner, const FileDialogOptions& options)
{
    return AskForFile(hOwner, options, false).first;
}

std::optional<std::string> GetSaveFileName(HWND hOwner, const FileDialogOptions& options)
{
    const auto [path, nFilter] = AskForFile(hOwner, options, true);
    if (!path)
        return std::nullopt;
    const std::string strPath = WithChosenExtension(*path, options, nFilter);
    // The dialog asked about replacing the name it was given, not about the one with the extension added.
    struct stat info = {};
    if (strPath != *path && stat(strPath.c_str(), &info) == 0) {
        const std::string strName = strPath.substr(strPath.rfind('/') + 1);
        if (MessageBox(hOwner, strName + " already exists.\nDo you want to replace it?", "Confirm Save As",
                       MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return std::nullopt;
    }
    return strPath;
}

} // namespace platform
