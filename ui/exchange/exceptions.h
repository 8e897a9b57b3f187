#pragma once

#include <optional>
#include <string>

// Failures of the framework. A validating pass that has already prompted the user throws CUserException and
// stops silently; every other failure is reported with its own text by whoever catches it.
class CException
{
public:
    virtual ~CException() = default;
    // The text for the user, or nothing when the failure has none of its own.
    virtual std::optional<std::string> GetErrorMessage() const { return std::nullopt; }
    // Shows the text in a prompt, or the string nFallbackId when there is none; returns the button pressed.
    int ReportError(unsigned nType, int nFallbackId) const;
};

class CUserException : public CException
{};

class CNotSupportedException : public CException
{
public:
    std::optional<std::string> GetErrorMessage() const override;
};

class CMemoryException : public CException
{
public:
    std::optional<std::string> GetErrorMessage() const override;
};
