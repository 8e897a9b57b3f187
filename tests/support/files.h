#pragma once

// Whole files, byte for byte, and a scratch directory for them; names are bytes, as the system takes them.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

inline bool WriteBytes(const std::string& strPath, std::string_view bytes)
{
    std::ofstream file(strPath, std::ios::binary);
    return static_cast<bool>(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush());
}

// Empty when there is no file to read.
inline std::string ReadBytes(const std::string& strPath)
{
    if (!std::filesystem::is_regular_file(strPath))
        return {};
    std::ifstream file(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A new directory below the system's temporary one, removed with everything in it.
class CScratchDir
{
public:
    CScratchDir()
    {
        std::string strTemplate = (std::filesystem::temp_directory_path() / "ratiograph-test-XXXXXX").string();
        if (mkdtemp(strTemplate.data()))
            m_strPath = strTemplate;
    }
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;
    ~CScratchDir()
    {
        std::error_code error;
        if (!m_strPath.empty())
            std::filesystem::remove_all(m_strPath, error);
    }
    const std::string& Path() const { return m_strPath; } // empty when none could be made

private:
    std::string m_strPath;
};
