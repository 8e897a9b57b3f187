// Load's own path: the bytes become a real file, read in chunks of 7 bytes within a budget of 300, so that
// chunk edges and the budget's end fall everywhere in the inputs. What is read must be what the same bytes
// parse to, unless the tenth line does not end within the budget: then the read fails and gives nothing.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

#include "fuzz/fuzzcheck.h"
#include "settingsfile/settingsfile.h"

namespace {

constexpr SettingsReadLimits kLimits{7, 300};

// One file for the whole run, rewritten for each input and removed at the end. In memory (tmpfs) where there is
// such a place: ext4 writes a truncated and rewritten file out to the disk when it is closed, which made every
// run wait for the disk.
const std::string& ScratchFile()
{
    static const std::string strPath = [] {
        const char* pszTmp = std::getenv("TMPDIR");
        const std::string strDir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : pszTmp && *pszTmp ? pszTmp : "/tmp";
        std::string strTemplate = strDir + "/settingsread_fuzz-XXXXXX";
        const int nFd = mkstemp(strTemplate.data());
        FuzzCheck(nFd >= 0, "a scratch file can be made");
        close(nFd);
        return strTemplate;
    }();
    static const bool bRemoveAtExit = std::atexit([] { unlink(strPath.c_str()); }) == 0;
    FuzzCheck(bRemoveAtExit, "the scratch file is removed at exit");
    return strPath;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view fileBytes(reinterpret_cast<const char*>(pData), nSize);
    {
        std::ofstream file(ScratchFile(), std::ios::binary | std::ios::trunc);
        FuzzCheck(static_cast<bool>(file.write(fileBytes.data(), static_cast<std::streamsize>(nSize)).flush()),
                  "the scratch file is written");
    }
    const SettingsFileLines read = ReadSettingsFile(ScratchFile(), kLimits);

    std::size_t nLineEnds = 0;
    std::size_t nTenthEnd = nSize; // the tenth line end's index
    for (std::size_t i = 0; i < nSize; ++i) {
        if (fileBytes[i] == '\n' && ++nLineEnds == 10) {
            nTenthEnd = i;
            break;
        }
    }
    if (nSize <= kLimits.nBudget || nTenthEnd < kLimits.nBudget) {
        const SettingsFileLines parsed = ParseSettingsLines(fileBytes);
        FuzzCheck(read.status == parsed.status, "a file within the budget reads with the status its bytes parse to");
        FuzzCheck(read.lines == parsed.lines, "a file within the budget reads as its bytes parse");
    } else {
        FuzzCheck(read.status == SettingsReadStatus::TooLong, "no tenth line end within the budget is TooLong");
        FuzzCheck(
            std::all_of(read.lines.begin(), read.lines.end(), [](const std::string& line) { return line.empty(); }),
            "a file past the budget gives no lines");
    }
    return 0;
}
