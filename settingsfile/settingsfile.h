#pragma once

// The settings file: the ten values, one per line, followed by a printable report of the ratios and speeds,
// every line ending in CR LF, as files from this calculator always have (it began as a Windows program). Reading
// returns the first ten lines as raw bytes and leaves judging them to the calculator's fields, so a loaded file
// goes through the same checks as typing; what reads a file without fields judges the lines by the fields' own
// rule (JudgeSettingsLines). Saving replaces a file whole or not at all. File names are bytes, passed to the
// system as they are. Uses the standard library, POSIX, the gearing core and the number texts.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "calc/gearsettings.h"
#include "calc/roadspeed.h"
#include "settingsfile/atomicfile.h"
#include "settingsfile/boundedfile.h"

// The order of the ten value lines.
inline constexpr std::array<GearValue, 10> kSettingsFileOrder{
    GearValue::Gear1, GearValue::Gear2,   GearValue::Gear3, GearValue::Gear4,   GearValue::Gear5,
    GearValue::Gear6, GearValue::Reverse, GearValue::Rpm,   GearValue::RearEnd, GearValue::TireOD,
};

// The whole file, CR LF line ends included. speedTexts are the texts the speed displays show.
std::string FormatSettingsFile(const GearSettings& settings, const SpeedTable& speedTexts);

// Through WriteFileAtomically: a failed save leaves an existing file as it was.
FileWriteResult SaveSettingsFile(const std::string& strPath, const GearSettings& settings,
                                 const SpeedTable& speedTexts);

enum class SettingsReadStatus
{
    Read,
    CannotOpen, // missing, a directory, no permission, a read error
    NotRegular, // a device, a pipe or a socket: reading one might never end or never start
    TooShort,   // fewer than ten lines
    TooLong,    // no ten lines within the read budget
};

// How a file is read: in chunks of nChunk bytes, and no further than nBudget bytes, so that a huge file, one
// endless line or /dev/zero costs at most that much memory and time.
using SettingsReadLimits = FileReadLimits;

struct SettingsFileLines
{
    SettingsReadStatus status = SettingsReadStatus::TooShort;
    int nErrno = 0;                    // CannotOpen: the system's reason (ENOENT, EACCES, EISDIR...)
    std::array<std::string, 10> lines; // in kSettingsFileOrder; all empty unless status is Read
};

// The first ten lines of a file's bytes. A line ends at LF, with a CR just before it; a line's text ends at
// its first NUL. Everything after the tenth line is ignored.
SettingsFileLines ParseSettingsLines(std::string_view fileBytes);

// Reads a regular file only as far as its tenth line. A file that ends within the budget is parsed as
// ParseSettingsLines parses it; one whose tenth line does not end within the budget is TooLong.
SettingsFileLines ReadSettingsFile(const std::string& strPath, SettingsReadLimits limits = {});
// The same from what an open descriptor gives (standard input), as far as the tenth line or its end.
SettingsFileLines ReadSettingsStream(int nFd, SettingsReadLimits limits = {});

// What the user is told when a file could not be read, one sentence or more; empty for Read.
std::string_view SettingsReadMessage(SettingsReadStatus status);

struct SettingsProblem
{
    int nLine; // counted from 1
    std::string strPrompt;
};

struct SettingsValues
{
    GearSettings settings; // a value out of its range is held as a field holds it; a line that is no number is 0
    std::vector<SettingsProblem> problems; // in line order, with the prompts the fields would show
};

// The ten lines judged as the calculator's fields judge them, without the fields.
SettingsValues JudgeSettingsLines(const std::array<std::string, 10>& lines);
