#include "settingsfile/presetsfile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "numtext/numtext.h"
#include "settingsfile/jsonfields.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDataSubdirectory = "ratiograph";
constexpr std::string_view kDefaultDataDirs = "/usr/local/share:/usr/share";

std::string Environment(const char* pszName)
{
    const char* pszValue = std::getenv(pszName);
    return pszValue != nullptr ? pszValue : "";
}

// The directory of the running program, links resolved; empty when the system does not say.
std::string ProgramDirectory()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

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
    bool bHeader = false;
    for (int nLine = 1; !bytes.empty(); ++nLine) {
        const std::size_t nEnd = std::min(bytes.find('\n'), bytes.size());
        const std::string_view line = bytes.substr(0, nEnd);
        bytes.remove_prefix(std::min(nEnd + 1, bytes.size()));
        const std::size_t nStart = line.find_first_not_of(" \t\r");
        if (nStart == std::string_view::npos || line[nStart] == '#')
            continue;
        try {
            const Json json = Json::parse(line.begin(), line.end());
            if (bHeader) {
                presets.push_back(ReadPreset(json));
                continue;
            }
            if (!json.is_object())
                throw JsonValueError{"", "this is no presets file: its first line holds no JSON object"};
            RequireFormat(json, kPresetsFormat, kPresetsVersion, "presets file");
            bHeader = true;
        } catch (const Json::exception& error) {
            return {std::nullopt, JsonErrorMessage(strName, line, error, nLine)};
        } catch (const JsonValueError& error) {
            return {std::nullopt, CrtFormat("%s:%d: ", {strName, nLine}) +
                                      (error.strKey.empty() ? "" : error.strKey + ": ") + error.strReason};
        }
    }
    if (!bHeader)
        return {std::nullopt, std::string(strName) + ": this is no presets file: it is empty"};
    return {presets, {}};
}

ReadOutcome<PresetList> ReadPresetsFile(const std::string& strPath)
{
    return ReadFileWith(strPath, &ParsePresetsFile);
}

PresetLocations DefaultPresetLocations()
{
    PresetLocations locations;
    const std::string strFile = std::string(kDataSubdirectory) + "/" + std::string(kPresetsFileName);
    const std::string strProgramDir = ProgramDirectory();
    if (!strProgramDir.empty())
        locations.installedFiles.push_back((fs::path(strProgramDir).parent_path() / "share" / strFile).string());
    std::string strDataDirs = Environment("XDG_DATA_DIRS");
    if (strDataDirs.empty())
        strDataDirs = kDefaultDataDirs;
    for (std::size_t nAt = 0; nAt <= strDataDirs.size();) {
        const std::size_t nColon = std::min(strDataDirs.find(':', nAt), strDataDirs.size());
        const std::string strDir = strDataDirs.substr(nAt, nColon - nAt);
        if (strDir.starts_with('/'))
            locations.installedFiles.push_back(strDir + "/" + strFile);
        nAt = nColon + 1;
    }
    const std::string strDataHome = Environment("XDG_DATA_HOME");
    if (strDataHome.starts_with('/'))
        locations.strUserDir = strDataHome + "/" + std::string(kDataSubdirectory);
    else if (Environment("HOME").starts_with('/'))
        locations.strUserDir = Environment("HOME") + "/.local/share/" + std::string(kDataSubdirectory);
    return locations;
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
    std::error_code error;
    const auto installed = std::find_if(locations.installedFiles.begin(), locations.installedFiles.end(),
                                        [&error](const std::string& strPath) { return fs::exists(strPath, error); });
    if (installed != locations.installedFiles.end())
        load(*installed);
    else
        loaded.messages.push_back(std::string(kPresetsFileName) + ": no installed presets file was found");

    std::vector<std::string> userFiles;
    for (fs::directory_iterator entry(locations.strUserDir, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().extension() == ".jsonl")
            userFiles.push_back(entry->path().string());
    }
    std::sort(userFiles.begin(), userFiles.end());
    std::for_each(userFiles.begin(), userFiles.end(), load);
    return loaded;
}
