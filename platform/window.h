#pragma once

// The window system that the dialog framework stands on, in the shape of a Windows dialog system, which the
// framework's code reads best in: windows and controls addressed by handle and numeric id, texts, focus and selection,
// change and click notifications, message boxes, file dialogs and modal runs. Qt Widgets does the work behind these
// functions, and QDialog runs every dialog; no Qt type appears here, so another toolkit would replace only
// this folder.
//
// The vocabulary (handles, ids, notification codes, box types) is global, as a Windows program would have it;
// the operations live in namespace platform and are always called qualified, so platform::SetFocus never reads as
// the CWnd member of the same name.
//
// Notifications flow up through CWindowSink, which the framework's window class implements: an edit's text
// change (by the user or by the program) and a button click arrive as commands (id, code, control); Enter
// reaches the default button through QDialog, and Escape and the close box arrive as IDCANCEL.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/dialogtemplate.h"

class CWindowHandle;
using HWND = CWindowHandle*;

// Notification codes that travel with a command from a control.
inline constexpr int BN_CLICKED = 0;
inline constexpr int EN_CHANGE = 0x0300;

// Commands of the standard buttons, also issued by Enter (IDOK through the default button) and by Escape
// and the close box (IDCANCEL, whether or not the dialog has such a button).
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Message box types and answers.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_OKCANCEL = 0x01;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x02;
inline constexpr unsigned MB_YESNOCANCEL = 0x03;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_RETRYCANCEL = 0x05;
inline constexpr unsigned MB_TYPEMASK = 0x0F;
inline constexpr unsigned MB_ICONHAND = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONASTERISK = 0x40;
inline constexpr unsigned MB_ICONMASK = 0xF0;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

class CWindowSink
{
public:
    virtual ~CWindowSink() = default;
    // hControl is null for commands that come from no control (Escape, the close box).
    virtual void OnWindowCommand(int nId, int nCode, HWND hControl) = 0;
};

// One entry of a file dialog's list of types: "PDF document" and "pdf" show as "PDF document (*.pdf)".
struct FileFilter
{
    std::string strName;
    std::string strExtension; // without the dot
};

struct FileDialogOptions
{
    FileDialogOptions() = default;
    FileDialogOptions(std::string fileName, std::string filter, std::string defaultExt,
                      std::vector<FileFilter> fileFilters = {})
        : strFileName(std::move(fileName)), strFilter(std::move(filter)), strDefaultExt(std::move(defaultExt)),
          filters(std::move(fileFilters))
    {}

    std::string strFileName;   // the name the dialog starts with
    std::string strFilter;     // a pattern such as "*.kvr"
    std::string strDefaultExt; // added to a name typed without an extension
    // When given, offered instead of strFilter, the first one chosen at the start. A name whose extension is none
    // of theirs gets the chosen one's, so the returned name's extension tells which one the user took.
    std::vector<FileFilter> filters;
};

// Starts and ends the window system for the program's life; nothing else here works outside of it.
class CPlatformSession
{
public:
    enum class Screen
    {
        Desktop,
        None, // drawing only, for documents: no display is opened, even when one is there
    };
    CPlatformSession(int& argc, char** argv, Screen screen = Screen::Desktop);
    ~CPlatformSession();
    CPlatformSession(const CPlatformSession&) = delete;
    CPlatformSession& operator=(const CPlatformSession&) = delete;
};

namespace platform {

// False when there is no screen to show windows on: no display server, and no platform chosen in the
// environment or among the program's arguments.
bool HasDisplay(const std::vector<std::string>& args);
// Full path of the running program file.
std::string GetModuleFileName();

// Dialogs. A dialog window is created hidden; RunModalLoop shows it, centred over its owner (or on the screen),
// and returns when EndModalLoop ends it.
HWND CreateDialogWindow(const DialogTemplate& dialogTemplate, HWND hOwner, CWindowSink* pSink);
void DestroyWindow(HWND hWnd);
int GetDialogTemplateId(HWND hDlg);
HWND GetParentDialog(HWND hControl);
HWND GetWindowOwner(HWND hWnd);
void RunModalLoop(HWND hDlg);
void EndModalLoop(HWND hDlg, int nResult);
// True while the dialog's loop runs and nothing has ended it yet.
bool IsInModalLoop(HWND hDlg);
// The modal dialog in front, when it is owned, directly or not, by hWnd; hWnd itself otherwise.
HWND GetLastActivePopup(HWND hWnd);

// Controls.
HWND GetDlgItem(HWND hDlg, int nId);
int GetDlgCtrlID(HWND hControl);
// At most nMaxChars characters of the text.
std::string GetWindowText(HWND hWnd, std::size_t nMaxChars = std::string::npos);
// Setting an edit's text always reports EN_CHANGE, even when the text stays the same.
void SetWindowText(HWND hWnd, std::string_view text);
// Whether the window's text, its first nMaxChars characters, is exactly this.
bool WindowTextEquals(HWND hWnd, std::string_view text, std::size_t nMaxChars = std::string::npos);
void SetFocus(HWND hWnd);
HWND GetFocus();
void SelectAllText(HWND hEdit);
// The selected part of an edit's text, as first and one-past-last character.
std::pair<int, int> GetTextSelection(HWND hEdit);
void SetWindowIcon(HWND hWnd, int nIconId);
// Shows or hides the dialog's extension (the controls right of its template's width), widening the dialog and
// keeping it on the screen.
void ShowDialogExtension(HWND hDlg, bool bShow);
// A toggle button's state; setting it reports the change as a click does.
bool IsButtonChecked(HWND hButton);
void CheckButton(HWND hButton, bool bChecked);
// What a control's state means beyond its text, for screen readers and as its tooltip; empty for nothing.
void SetDescription(HWND hWnd, std::string_view text);
// A number the program keeps between runs for the user, under a key like "workbench/metric"; nDefault when it has
// none.
int GetProfileInt(std::string_view key, int nDefault);
void WriteProfileInt(std::string_view key, int nValue);
// Marks an edit whose text cannot be used, with the reason for the user and screen readers; an empty message
// clears the mark.
void SetFieldError(HWND hEdit, std::string_view message);
// Queues a command without a control for the dialog; it arrives once the dialog's loop runs.
void PostCommand(HWND hDlg, int nId, int nCode);
// Gives the first control that is a tab stop the keyboard focus.
void FocusFirstTabStop(HWND hDlg);

// Modal boxes. Both go through the modal seam (platform/modalseam.h) when a test has installed one.
int MessageBox(HWND hOwner, std::string_view text, std::string_view caption, unsigned nType);
// The chosen file's full path as the file system spells it (bytes, not necessarily UTF-8), or nothing when the
// user cancelled. The save dialog asks before it lets the user pick a file that exists.
std::optional<std::string> GetOpenFileName(HWND hOwner, const FileDialogOptions& options);
std::optional<std::string> GetSaveFileName(HWND hOwner, const FileDialogOptions& options);

} // namespace platform
