#include "settingsfile/datafiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

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

} // namespace

std::vector<std::string> InstalledDataFiles(std::string_view strFile)
{
    std::vector<std::string> files;
    const std::string strRelative = std::string(kDataSubdirectory) + "/" + std::string(strFile);
    const std::string strProgramDir = ProgramDirectory();
    if (!strProgramDir.empty())
        files.push_back((fs::path(strProgramDir).parent_path() / "share" / strRelative).string());
    std::string strDataDirs = Environment("XDG_DATA_DIRS");
    if (strDataDirs.empty())
        strDataDirs = kDefaultDataDirs;
    for (std::size_t nAt = 0; nAt <= strDataDirs.size();) {
        const std::size_t nColon = std::min(strDataDirs.find(':', nAt), strDataDirs.size());
        const std::string strDir = strDataDirs.substr(nAt, nColon - nAt);
        if (strDir.starts_with('/'))
            files.push_back(strDir + "/" + strRelative);
        nAt = nColon + 1;
    }
    return files;
}

std::string UserDataDirectory()
{
    const std::string strDataHome = Environment("XDG_DATA_HOME");
    if (strDataHome.starts_with('/'))
        return strDataHome + "/" + std::string(kDataSubdirectory);
    if (Environment("HOME").starts_with('/'))
        return Environment("HOME") + "/.local/share/" + std::string(kDataSubdirectory);
    return {};
}

std::optional<std::string> FirstExisting(const std::vector<std::string>& paths)
{
    std::error_code error;
    const auto it = std::find_if(paths.begin(), paths.end(),
                                 [&error](const std::string& strPath) { return fs::exists(strPath, error); });
    if (it == paths.end())
        return std::nullopt;
    return *it;
}
