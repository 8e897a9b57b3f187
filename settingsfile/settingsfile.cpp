#include "settingsfile/settingsfile.h"

#include <algorithm>

#include "numtext/fieldrule.h"
#include "numtext/numtext.h"
#include "settingsfile/atomicfile.h"

namespace {

// One format per row of the speed table, in kSpeedTableGears order.
constexpr auto kGearRowFormats = std::to_array<std::string_view>({
    "First    %4.2g %s\n",
    "Second   %4.2g %s\n",
    "Third    %4.2g %s\n",
    "Fourth   %4.2g %s\n",
    "Fifth    %4.2g %s\n",
    "Sixth    %4.2g %s\n",
    "Reverse  %4.2g %s\n",
});

std::string ToCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    for (const char ch : text) {
        if (ch == '\n')
            out += '\r';
        out += ch;
    }
    return out;
}

// A record can hold -0 (a typed -1e-50 narrows to it); written as "-0" it would be refused on loading.
double FileValue(float value)
{
    return double{value} + 0.0;
}

} // namespace

std::string FormatSettingsFile(const GearSettings& settings, const SpeedTable& speedTexts)
{
    std::string text;
    for (const GearValue value : kSettingsFileOrder)
        text += CrtFormat(value == GearValue::Rpm ? "%-5.0f\n" : "%g\n", {FileValue(settings[value])});

    text += "\n\n\nCorvane Ratiograph Analysis Data:\n\n";
    text += CrtFormat("Set RPM: %5.0f\nRear-end Gear: %g\nOutside Diameter of Rear Tire: %g\n",
                      {FileValue(settings.m_fRpm), FileValue(settings.m_fRearEnd), FileValue(settings.m_fTireOD)});
    text += "\nTransmission Gear Ratios and Speeds: \n";
    for (std::size_t i = 0; i < kSpeedTableGears.size(); ++i)
        text +=
            CrtFormat(kGearRowFormats[i], {FileValue(settings[kSpeedTableGears[i]]), std::string_view{speedTexts[i]}});
    return ToCrLf(text);
}

FileWriteResult SaveSettingsFile(const std::string& strPath, const GearSettings& settings, const SpeedTable& speedTexts)
{
    return WriteFileAtomically(strPath, FormatSettingsFile(settings, speedTexts));
}

SettingsFileLines ParseSettingsLines(std::string_view fileBytes)
{
    SettingsFileLines result;
    std::size_t at = 0;
    for (std::string& line : result.lines) {
        if (at >= fileBytes.size())
            return {};
        std::string_view text = fileBytes.substr(at);
        const std::size_t lineEnd = text.find('\n');
        if (lineEnd != std::string_view::npos) {
            text = text.substr(0, lineEnd);
            if (!text.empty() && text.back() == '\r')
                text.remove_suffix(1);
            at += lineEnd + 1;
        } else {
            at = fileBytes.size();
        }
        line.assign(text.substr(0, text.find('\0')));
    }
    result.status = SettingsReadStatus::Read;
    return result;
}

namespace {

// Only as far as the tenth line end within the budget.
std::function<bool(std::string_view)> TenLineEnds()
{
    return [nLineEnds = std::size_t{0}](std::string_view fresh) mutable {
        nLineEnds += static_cast<std::size_t>(std::count(fresh.begin(), fresh.end(), '\n'));
        return nLineEnds >= kSettingsFileOrder.size();
    };
}

SettingsFileLines SettingsLinesOf(const FileRead& read)
{
    switch (read.status) {
    case FileReadStatus::Read:
        return ParseSettingsLines(read.bytes);
    case FileReadStatus::CannotOpen:
        return {SettingsReadStatus::CannotOpen, read.nErrno, {}};
    case FileReadStatus::NotRegular:
        return {SettingsReadStatus::NotRegular, 0, {}};
    case FileReadStatus::TooLong:
        return {SettingsReadStatus::TooLong, 0, {}};
    }
    return {};
}

} // namespace

SettingsFileLines ReadSettingsFile(const std::string& strPath, SettingsReadLimits limits)
{
    return SettingsLinesOf(ReadBoundedFile(strPath, limits, TenLineEnds()));
}

SettingsFileLines ReadSettingsStream(int nFd, SettingsReadLimits limits)
{
    return SettingsLinesOf(ReadBoundedStream(nFd, limits, TenLineEnds()));
}

std::string_view SettingsReadMessage(SettingsReadStatus status)
{
    switch (status) {
    case SettingsReadStatus::Read:
        return {};
    case SettingsReadStatus::CannotOpen:
        return "Cannot open file.";
    case SettingsReadStatus::NotRegular:
        return "This is not a settings file: it is a device, a pipe or a socket. Nothing was loaded.";
    case SettingsReadStatus::TooShort:
        return "This is not a settings file: it has fewer than ten lines. Nothing was loaded.";
    case SettingsReadStatus::TooLong:
        return "This is not a settings file: it has no ten lines in its first megabyte. Nothing was loaded.";
    }
    return {};
}

SettingsValues JudgeSettingsLines(const std::array<std::string, 10>& lines)
{
    SettingsValues result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const GearValueInfo& info = GetGearValueInfo(kSettingsFileOrder[i]);
        const FieldJudgement<float> judgement = JudgeFieldText(lines[i], info.fMin, info.fMax);
        if (judgement.value)
            result.settings[info.value] = *judgement.value;
        if (!judgement.strPrompt.empty())
            result.problems.push_back({static_cast<int>(i) + 1, judgement.strPrompt});
    }
    return result;
}
