#include "settingsfile/presetsfile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "numtext/numtext.h"
#include "settingsfile/datafiles.h"
#include "settingsfile/jsonfields.h"

namespace {

namespace fs = std::filesystem;

GearboxPreset ReadPreset(const Json& json)
{
    if (!json.is_object())
        throw JsonValueError{"", "a preset must be one JSON object"};
    GearboxPreset preset;
    preset.strName = ReadString(RequireMember(json, "name", ""), "name");
    if (preset.strName.empty())
        throw JsonValueError{"name", "must not be empty"};
    if (const Json* pSource = FindMember(json, "source"))
        preset.strSource = ReadString(*pSource, "source");
    preset.gearbox = ReadGearbox(json, "", false);
    return preset;
}

} // namespace

ReadOutcome<PresetList> ParsePresetsFile(std::string_view strName, std::string_view bytes)
{
    PresetList presets;
    std::string strError = ParseJsonLines(strName, bytes, {kPresetsFormat, kPresetsVersion, "presets file"},
                                          [&presets](const Json& json) { presets.push_back(ReadPreset(json)); });
    if (!strError.empty())
        return {std::nullopt, std::move(strError)};
    return {presets, {}};
}

ReadOutcome<PresetList> ReadPresetsFile(const std::string& strPath)
{
    return ReadFileWith(strPath, &ParsePresetsFile);
}

PresetLocations DefaultPresetLocations()
{
    return {InstalledDataFiles(kPresetsFileName), UserDataDirectory()};
}

LoadedPresets LoadPresets(const PresetLocations& locations)
{
    LoadedPresets loaded;
    const auto load = [&loaded](const std::string& strPath) {
        ReadOutcome<PresetList> read = ReadPresetsFile(strPath);
        if (read.value)
            loaded.presets.insert(loaded.presets.end(), read.value->begin(), read.value->end());
        else
            loaded.messages.push_back(read.strError);
    };
    if (const std::optional<std::string> installed = FirstExisting(locations.installedFiles))
        load(*installed);
    else
        loaded.messages.push_back(std::string(kPresetsFileName) + ": no installed presets file was found");

    std::vector<std::string> userFiles;
    std::error_code error;
    for (fs::directory_iterator entry(locations.strUserDir, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().extension() == ".jsonl")
            userFiles.push_back(entry->path().string());
    }
    std::sort(userFiles.begin(), userFiles.end());
    std::for_each(userFiles.begin(), userFiles.end(), load);
    return loaded;
}
