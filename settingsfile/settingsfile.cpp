#include "settingsfile/settingsfile.h"

#include <algorithm>

#include <QFile>
#include <QSaveFile>
#include <QString>

#include "numtext/numtext.h"

namespace {

// One format per row of the speed table, in kSpeedTableGears order.
constexpr std::array<std::string_view, 7> kGearRowFormats{
    "First    %4.2g %s\n", "Second   %4.2g %s\n", "Third    %4.2g %s\n", "Fourth   %4.2g %s\n",
    "Fifth    %4.2g %s\n", "Sixth    %4.2g %s\n", "Reverse  %4.2g %s\n",
};

constexpr qint64 kReadChunk = 64 * 1024;

// The original wrote through a text-mode stream, which turned every LF it was given into CR LF.
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

bool SaveSettingsFile(const std::string& strPath, const GearSettings& settings, const SpeedTable& speedTexts)
{
    const std::string fileBytes = FormatSettingsFile(settings, speedTexts);
    // Not setDirectWriteFallback(true): writing into the target itself could leave half a file.
    QSaveFile file(QString::fromStdString(strPath));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto nSize = static_cast<qint64>(fileBytes.size());
    // The bytes sit in the device's buffer until flushed. commit() flushes too, but renames the temporary file
    // over the target even when that flush fails (a full disk), so flush here first and check.
    if (file.write(fileBytes.data(), nSize) != nSize || !file.flush())
        return false; // the destructor discards the temporary file
    return file.commit();
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

SettingsFileLines ReadSettingsFile(const std::string& strPath)
{
    QFile file(QString::fromStdString(strPath));
    if (!file.open(QIODevice::ReadOnly))
        return {SettingsReadStatus::CannotOpen, {}};

    std::string fileBytes;
    std::size_t nLineEnds = 0;
    while (nLineEnds < kSettingsFileOrder.size()) {
        const std::size_t nHave = fileBytes.size();
        fileBytes.resize(nHave + kReadChunk);
        const qint64 nRead = file.read(fileBytes.data() + nHave, kReadChunk);
        if (nRead < 0)
            return {SettingsReadStatus::CannotOpen, {}};
        fileBytes.resize(nHave + static_cast<std::size_t>(nRead));
        if (nRead == 0)
            break;
        nLineEnds += static_cast<std::size_t>(std::count(fileBytes.begin() + nHave, fileBytes.end(), '\n'));
    }
    return ParseSettingsLines(fileBytes);
}
