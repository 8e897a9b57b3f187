#include "ui/exchange/exceptions.h"

#include "ui/exchange/prompts.h"

int CException::ReportError(unsigned nType, int nFallbackId) const
{
    if (const std::optional<std::string> strMessage = GetErrorMessage())
        return ShowPrompt(*strMessage, nType);
    return ShowPromptId(nFallbackId, nType);
}

std::optional<std::string> CNotSupportedException::GetErrorMessage() const
{
    return std::string(LoadFrameworkString(IDS_NOT_SUPPORTED).value_or(std::string_view()));
}

std::optional<std::string> CMemoryException::GetErrorMessage() const
{
    return std::string(LoadFrameworkString(IDS_OUT_OF_MEMORY).value_or(std::string_view()));
}
