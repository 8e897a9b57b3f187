#include "settingsfile/atomicfile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fstream>
#include <optional>

#include <fcntl.h>
#include <locale.h>
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
        if (nWritten < 0)
            return false;
        if (nWritten == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(nWritten));
    }
    return true;
}

// The temporary file that exists right now, for the signal handlers; one write at a time, on any thread.
char g_temporaryPath[PATH_MAX + 32];
volatile std::sig_atomic_t g_bTemporaryExists = 0;
constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::function<void(const std::string&)> g_temporaryObserver;

extern "C" void RemoveTemporaryAndDie(int nSignal)
{
    if (g_bTemporaryExists)
        unlink(g_temporaryPath);
    // Ended as the signal would have ended the program: its status says so (128 + the signal to a shell).
    std::signal(nSignal, SIG_DFL);
    std::raise(nSignal);
}

// Only signals that would end the program get the handler: one it ignores or handles itself is left alone.
void InstallCleanupHandlers()
{
    static std::atomic<bool> bInstalled = false;
    if (bInstalled.exchange(true))
        return;
    for (const int nSignal : kCleanupSignals) {
        struct sigaction current = {};
        if (sigaction(nSignal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
            continue;
        struct sigaction cleanup = {};
        cleanup.sa_handler = RemoveTemporaryAndDie;
        sigemptyset(&cleanup.sa_mask);
        for (const int nOther : kCleanupSignals)
            sigaddset(&cleanup.sa_mask, nOther);
        sigaction(nSignal, &cleanup, nullptr);
    }
}

FileWriteResult Failed(int nErrno)
{
    return {FileWriteResult::Failure::System, nErrno};
}

// An existing target must be a regular file; a directory is the system's own "Is a directory".
std::optional<FileWriteResult> RefusedTarget(const std::string& strTarget)
{
    struct stat info = {};
    if (stat(strTarget.c_str(), &info) != 0)
        return std::nullopt;
    if (S_ISDIR(info.st_mode))
        return Failed(EISDIR);
    if (!S_ISREG(info.st_mode))
        return FileWriteResult{FileWriteResult::Failure::NotRegular, 0};
    return std::nullopt;
}

} // namespace

std::string FileWriteResult::Reason() const
{
    switch (failure) {
    case Failure::None:
        return {};
    case Failure::NotRegular:
        return "Not a regular file; a device, a FIFO or a socket is left as it is";
    case Failure::System:
        return SystemReason(nErrno);
    }
    return {};
}

FileWriteResult WriteFileAtomically(const std::string& strPath, std::string_view bytes)
{
    const std::string strTarget = FollowLinks(strPath);
    if (const std::optional<FileWriteResult> refused = RefusedTarget(strTarget))
        return *refused;
    const std::string strDir = DirectoryOf(strTarget);
    // In the target's directory, so that the rename stays within one file system.
    const std::string strTemplate = strDir + "/.ratiograph-XXXXXX";
    if (strTemplate.size() >= sizeof g_temporaryPath)
        return Failed(ENAMETOOLONG);
    InstallCleanupHandlers();
    // The handler may run from here on: until mkostemp has made the file, it unlinks a name that does not exist.
    std::memcpy(g_temporaryPath, strTemplate.c_str(), strTemplate.size() + 1);
    g_bTemporaryExists = 1;
    const int nFd = mkostemp(g_temporaryPath, O_CLOEXEC);
    if (nFd < 0) {
        const int nErrno = errno;
        g_bTemporaryExists = 0;
        return Failed(nErrno);
    }
    const std::string strTemp = g_temporaryPath;
    if (g_temporaryObserver)
        g_temporaryObserver(strTemp);

    struct stat targetInfo = {};
    const mode_t mode = stat(strTarget.c_str(), &targetInfo) == 0 ? targetInfo.st_mode & 07777 : 0666 & ~CurrentUmask();
    int nErrno = 0;
    if (!WriteAll(nFd, bytes) || fchmod(nFd, mode) != 0 || fsync(nFd) != 0)
        nErrno = errno;
    // Some file systems (NFS, quotas) report a failed write only when the file is closed.
    if (close(nFd) != 0 && nErrno == 0)
        nErrno = errno;
    // What the name stands for may have changed while the bytes were written.
    std::optional<FileWriteResult> result = nErrno != 0 ? Failed(nErrno) : RefusedTarget(strTarget);
    if (!result && rename(strTemp.c_str(), strTarget.c_str()) != 0)
        result = Failed(errno);
    if (result) {
        unlink(strTemp.c_str());
        g_bTemporaryExists = 0;
        return *result;
    }
    g_bTemporaryExists = 0;
    // The new name on disk too, so that a power cut cannot bring back the old file; the file itself is safe.
    const int nDirFd = open(strDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nDirFd >= 0) {
        fsync(nDirFd);
        close(nDirFd);
    }
    return {};
}

std::string SystemReason(int nErrno)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return cLocale != nullptr ? strerror_l(nErrno, cLocale) : std::strerror(nErrno);
}

bool IsSameFile(const std::string& strPath1, const std::string& strPath2)
{
    struct stat info1 = {};
    struct stat info2 = {};
    return stat(strPath1.c_str(), &info1) == 0 && stat(strPath2.c_str(), &info2) == 0 && info1.st_dev == info2.st_dev &&
           info1.st_ino == info2.st_ino;
}

void SetTemporaryFileObserverForTesting(std::function<void(const std::string&)> observer)
{
    g_temporaryObserver = std::move(observer);
}
