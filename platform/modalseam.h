#pragma once

// The one place where tests answer what would otherwise wait for a person: message boxes, file and print dialogs
// and modal loops. While a CModalSeam exists, no box is shown: each is recorded and answered at once, and each
// dialog's modal loop hands the dialog to the test's driver, so a test never blocks.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window.h"

struct CBoxRecord
{
    enum class Kind
    {
        Message,
        OpenFile,
        SaveFile,
        Print,
    };
    Kind kind = Kind::Message;
    std::string strText;    // message text
    std::string strCaption; // a print dialog: the document's title
    unsigned nType = 0;     // message box type, icon included
    HWND hOwner = nullptr;
    FileDialogOptions fileOptions;
};

class CModalSeam
{
public:
    CModalSeam();
    ~CModalSeam();
    CModalSeam(const CModalSeam&) = delete;
    CModalSeam& operator=(const CModalSeam&) = delete;

    static CModalSeam* Current();

    // The answer of the next file dialog: a path, or nothing for Cancel. A file dialog without a queued
    // answer is cancelled.
    void QueueFileAnswer(std::optional<std::string> path, std::size_t nFilter = 0);
    // The answer of the next print dialog: "print to this PDF file", or nothing for Cancel. A print dialog
    // without a queued answer is cancelled.
    void QueuePrintAnswer(std::optional<std::string> pdfPath);

    // Called for every message box while it is "open", before it is answered; returns the button pressed.
    // Without a handler every box is answered with its first button.
    void SetMessageBoxHandler(std::function<int(const CBoxRecord&)> handler);

    // Called inside every modal loop once its dialog is shown. The driver types, clicks and presses keys;
    // a loop that is still running when the driver returns gets Escape, and is recorded as left open.
    void SetModalDriver(std::function<void(HWND hDlg)> driver);

    const std::vector<CBoxRecord>& Records() const { return m_records; }
    void ClearRecords() { m_records.clear(); }
    int LoopsLeftOpen() const { return m_nLoopsLeftOpen; }

    // For the window system: answer a box or run a driver.
    int AnswerMessageBox(const CBoxRecord& record);
    // The path chosen, with the filter the user took (an index into the options' filters).
    std::pair<std::optional<std::string>, std::size_t> AnswerFileDialog(const CBoxRecord& record);
    std::optional<std::string> AnswerPrintDialog(const CBoxRecord& record);
    bool DriveModalLoop(HWND hDlg);
    void NoteLoopLeftOpen() { ++m_nLoopsLeftOpen; }

private:
    CModalSeam* m_pPrevious;
    std::vector<CBoxRecord> m_records;
    std::deque<std::pair<std::optional<std::string>, std::size_t>> m_fileAnswers;
    std::deque<std::optional<std::string>> m_printAnswers;
    std::function<int(const CBoxRecord&)> m_messageHandler;
    std::function<void(HWND)> m_modalDriver;
    int m_nLoopsLeftOpen = 0;
};
