#pragma once

// The settings file: the ten values, one per line, followed by a printable report of the ratios and speeds,
// every line ending in CR LF as the original Windows program wrote it. Reading returns the first ten lines as
// raw bytes and leaves judging them to the calculator's fields, so a loaded file goes through the same checks
// as typing. Saving replaces a file whole or not at all. Uses the standard library, the gearing core and the
// number texts; Qt Core only for QSaveFile and QFile.

#include <array>
#include <string>
#include <string_view>

#include "calc/gearsettings.h"
#include "calc/roadspeed.h"

// The order of the ten value lines.
inline constexpr std::array<GearValue, 10> kSettingsFileOrder{
    GearValue::Gear1, GearValue::Gear2,   GearValue::Gear3, GearValue::Gear4,   GearValue::Gear5,
    GearValue::Gear6, GearValue::Reverse, GearValue::Rpm,   GearValue::RearEnd, GearValue::TireOD,
};

// The whole file, CR LF line ends included. speedTexts are the texts the speed displays show.
std::string FormatSettingsFile(const GearSettings& settings, const SpeedTable& speedTexts);

// Writes to a temporary file beside strPath (UTF-8) and renames it over the target, so a failed save leaves an
// existing file as it was. False on any open, write or commit error.
bool SaveSettingsFile(const std::string& strPath, const GearSettings& settings, const SpeedTable& speedTexts);

enum class SettingsReadStatus
{
    Read,
    CannotOpen, // missing, a directory, no permission, a read error
    TooShort,   // fewer than ten lines
};

struct SettingsFileLines
{
    SettingsReadStatus status = SettingsReadStatus::TooShort;
    std::array<std::string, 10> lines; // in kSettingsFileOrder; all empty unless status is Read
};

// The first ten lines of a file's bytes. A line ends at LF, with a CR just before it; a line's text ends at
// its first NUL. Everything after the tenth line is ignored.
SettingsFileLines ParseSettingsLines(std::string_view fileBytes);

// Reads only as far as the tenth line, however long the file.
SettingsFileLines ReadSettingsFile(const std::string& strPath);
