#include "settingsfile/atomicfile.h"

#include <cerrno>
#include <climits>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The directory a path's last part lives in.
std::string DirectoryOf(const std::string& strPath)
{
    const std::size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos)
        return ".";
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

// Saving through a link replaces the file it names and keeps the link, even when that file does not exist yet.
// A chain too long (a loop) is left as it is: then the link itself is replaced.
std::string FollowLinks(const std::string& strPath)
{
    std::string strAt = strPath;
    for (int nDepth = 0; nDepth < 40; ++nDepth) {
        char target[PATH_MAX];
        const ssize_t nLength = readlink(strAt.c_str(), target, sizeof target);
        if (nLength <= 0 || static_cast<std::size_t>(nLength) == sizeof target)
            return strAt; // not a link (EINVAL), missing, or a target too long to have been written
        const std::string strTarget(target, static_cast<std::size_t>(nLength));
        strAt = strTarget.front() == '/' ? strTarget : DirectoryOf(strAt) + "/" + strTarget;
    }
    return strPath;
}

// umask() can only be read by setting it, which would briefly change it for Qt's threads too.
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (!line.starts_with("Umask:"))
            continue;
        mode_t mask = 0;
        for (const char ch : line.substr(6)) {
            if (ch >= '0' && ch <= '7')
                mask = static_cast<mode_t>(mask * 8 + static_cast<mode_t>(ch - '0'));
        }
        return mask & 0777;
    }
    const mode_t mask = umask(022);
    umask(mask);
    return mask;
}

bool WriteAll(int nFd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t nWritten = write(nFd, bytes.data(), bytes.size());
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(nWritten));
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& strPath, std::string_view bytes)
{
    const std::string strTarget = FollowLinks(strPath);
    const std::string strDir = DirectoryOf(strTarget);
    // In the target's directory, so that the rename stays within one file system.
    std::string strTemp = strDir + "/.ratiograph-XXXXXX";
    const int nFd = mkostemp(strTemp.data(), O_CLOEXEC);
    if (nFd < 0)
        return false;

    struct stat targetInfo = {};
    const mode_t mode = stat(strTarget.c_str(), &targetInfo) == 0 ? targetInfo.st_mode & 07777 : 0666 & ~CurrentUmask();
    bool bDone = WriteAll(nFd, bytes) && fchmod(nFd, mode) == 0 && fsync(nFd) == 0;
    // Some file systems (NFS, quotas) report a failed write only when the file is closed.
    bDone = close(nFd) == 0 && bDone;
    if (!bDone || rename(strTemp.c_str(), strTarget.c_str()) != 0) {
        unlink(strTemp.c_str());
        return false;
    }
    // The new name on disk too, so that a power cut cannot bring back the old file; the file itself is safe.
    const int nDirFd = open(strDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nDirFd >= 0) {
        fsync(nDirFd);
        close(nDirFd);
    }
    return true;
}
