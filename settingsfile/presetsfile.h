#pragma once

// Gearbox presets: real gearboxes with the source their ratios were checked against, in a file people can write by
// hand too (JSON Lines, ratiograph(1), PRESETS FILE): a header object {"format": "ratiograph-presets", "version": 1}
// on the first line, then one gearbox object per line with the vehicle file's gearbox keys and "name" and "source";
// blank lines and lines starting with # are skipped. The program installs one such file; a user adds their own.

#include <string>
#include <string_view>
#include <vector>

#include "calc/performance.h"
#include "settingsfile/boundedfile.h"

inline constexpr std::string_view kPresetsFormat = "ratiograph-presets";
inline constexpr int kPresetsVersion = 1;
inline constexpr std::string_view kPresetsFileName = "presets.jsonl";

struct GearboxPreset
{
    std::string strName; // with the generation or years where ratio sets changed
    Gearbox gearbox;     // final drives only where the source gives them
    std::string strSource;

    bool operator==(const GearboxPreset&) const = default;
};

using PresetList = std::vector<GearboxPreset>;

// A line's fault as "FILE:LINE: key: reason", or "FILE:LINE:COLUMN: reason" for its syntax.
ReadOutcome<PresetList> ParsePresetsFile(std::string_view strName, std::string_view bytes);
ReadOutcome<PresetList> ReadPresetsFile(const std::string& strPath);

// Where presets are looked for. The installed list is the first of installedFiles that exists:
//   1. <the program's directory>/../share/ratiograph/presets.jsonl, where an installation keeps it whatever its
//      prefix (and where the build tree keeps its copy, beside app/);
//   2. <each directory of $XDG_DATA_DIRS, /usr/local/share:/usr/share when unset>/ratiograph/presets.jsonl.
// Then every *.jsonl file directly in strUserDir, $XDG_DATA_HOME/ratiograph (~/.local/share/ratiograph when unset), in
// byte order of their names. Relative directories in the variables are ignored, as the XDG base directory rules say.
struct PresetLocations
{
    std::vector<std::string> installedFiles;
    std::string strUserDir;
};
PresetLocations DefaultPresetLocations();

struct LoadedPresets
{
    PresetList presets;                // the installed ones, then the user's
    std::vector<std::string> messages; // one per file that could not be used; its presets are left out
};
LoadedPresets LoadPresets(const PresetLocations& locations);
