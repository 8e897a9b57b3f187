#include "platform/window.h"

#include <memory>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/modalseam.h"
#include "platform/widgetaccess.h"

namespace {

std::unique_ptr<QApplication> g_pApplication;

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CPlatformSession::CPlatformSession(int& argc, char** argv)
{
    g_pApplication = std::make_unique<QApplication>(argc, argv);
    // The program's life is a sequence of modal dialogs; the one that closes is never the last window.
    QApplication::setQuitOnLastWindowClosed(false);
}

CPlatformSession::~CPlatformSession()
{
    g_pApplication.reset();
}

namespace platform {

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
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

std::optional<std::string> RunFileDialog(HWND hOwner, const FileDialogOptions& options, bool bSave)
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
    dialog.setNameFilter(ToQString(options.strFilter));
    dialog.setDefaultSuffix(ToQString(options.strDefaultExt));
    // A name with a wildcard only says what to list, as the filter already does.
    if (!options.strFileName.empty() && options.strFileName.find_first_of("*?") == std::string::npos)
        dialog.selectFile(ToQString(options.strFileName));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

} // namespace

std::optional<std::string> GetOpenFileName(HWND hOwner, const FileDialogOptions& options)
{
    return RunFileDialog(hOwner, options, false);
}

std::optional<std::string> GetSaveFileName(HWND hOwner, const FileDialogOptions& options)
{
    return RunFileDialog(hOwner, options, true);
}

} // namespace platform
