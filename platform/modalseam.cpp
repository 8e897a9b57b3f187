#include "platform/modalseam.h"

namespace {

CModalSeam* g_pCurrentSeam = nullptr;

} // namespace

CModalSeam::CModalSeam() : m_pPrevious(g_pCurrentSeam)
{
    g_pCurrentSeam = this;
}

CModalSeam::~CModalSeam()
{
    g_pCurrentSeam = m_pPrevious;
}

CModalSeam* CModalSeam::Current()
{
    return g_pCurrentSeam;
}

void CModalSeam::QueueFileAnswer(std::optional<std::string> path, std::size_t nFilter)
{
    m_fileAnswers.emplace_back(std::move(path), nFilter);
}

void CModalSeam::QueuePrintAnswer(std::optional<std::string> pdfPath)
{
    m_printAnswers.push_back(std::move(pdfPath));
}

void CModalSeam::SetMessageBoxHandler(std::function<int(const CBoxRecord&)> handler)
{
    m_messageHandler = std::move(handler);
}

void CModalSeam::SetModalDriver(std::function<void(HWND)> driver)
{
    m_modalDriver = std::move(driver);
}

int CModalSeam::AnswerMessageBox(const CBoxRecord& record)
{
    m_records.push_back(record);
    if (m_messageHandler)
        return m_messageHandler(record);
    switch (record.nType & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    default:
        return IDOK;
    }
}

std::pair<std::optional<std::string>, std::size_t> CModalSeam::AnswerFileDialog(const CBoxRecord& record)
{
    m_records.push_back(record);
    if (m_fileAnswers.empty())
        return {std::nullopt, 0};
    std::pair<std::optional<std::string>, std::size_t> answer = std::move(m_fileAnswers.front());
    m_fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> CModalSeam::AnswerPrintDialog(const CBoxRecord& record)
{
    m_records.push_back(record);
    if (m_printAnswers.empty())
        return std::nullopt;
    std::optional<std::string> answer = std::move(m_printAnswers.front());
    m_printAnswers.pop_front();
    return answer;
}

bool CModalSeam::DriveModalLoop(HWND hDlg)
{
    if (!m_modalDriver)
        return false;
    // A copy: the driver may install another one for a nested dialog while it runs.
    const std::function<void(HWND)> driver = m_modalDriver;
    driver(hDlg);
    return true;
}
