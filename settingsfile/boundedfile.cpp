#include "settingsfile/boundedfile.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "numtext/numtext.h"
#include "settingsfile/atomicfile.h"

namespace {

constexpr double kBytesPerMebibyte = 1024.0 * 1024.0;

class CFileDescriptor
{
public:
    explicit CFileDescriptor(int nFd) : m_nFd(nFd) {}
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    ~CFileDescriptor()
    {
        if (m_nFd >= 0)
            close(m_nFd);
    }
    int Get() const { return m_nFd; }

private:
    int m_nFd;
};

FileRead Refused(const struct stat& kind)
{
    return S_ISDIR(kind.st_mode) ? FileRead{FileReadStatus::CannotOpen, EISDIR, {}}
                                 : FileRead{FileReadStatus::NotRegular, 0, {}};
}

} // namespace

FileRead ReadBoundedFile(const std::string& strPath, FileReadLimits limits,
                         const std::function<bool(std::string_view)>& bEnough)
{
    const auto cannotOpen = [](int nErrno) {
        return FileRead{FileReadStatus::CannotOpen, nErrno, {}};
    };
    // Looked at before opening, so that a device is never opened: opening some has effects of its own.
    struct stat info = {};
    if (stat(strPath.c_str(), &info) != 0)
        return cannotOpen(errno);
    if (!S_ISREG(info.st_mode))
        return Refused(info);
    // Should the name have become something else since: O_NONBLOCK so that a FIFO does not wait for a writer,
    // O_NOCTTY so that a terminal does not become ours. ENXIO is a socket or a device without a driver.
    const CFileDescriptor file(open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0)
        return errno == ENXIO ? FileRead{FileReadStatus::NotRegular, 0, {}} : cannotOpen(errno);
    if (fstat(file.Get(), &info) != 0)
        return cannotOpen(errno);
    if (!S_ISREG(info.st_mode))
        return Refused(info);
    return ReadBoundedStream(file.Get(), limits, bEnough);
}

FileRead ReadBoundedStream(int nFd, FileReadLimits limits, const std::function<bool(std::string_view)>& bEnough)
{
    // One byte past the budget tells a file that ends exactly there from one that goes on; only bytes within the
    // budget are shown to bEnough.
    const std::size_t nChunk = std::max<std::size_t>(limits.nChunk, 1);
    std::string fileBytes;
    for (;;) {
        const std::size_t nHave = fileBytes.size();
        if (nHave > limits.nBudget)
            return {FileReadStatus::TooLong, 0, {}};
        const std::size_t nWant = std::min(nChunk, limits.nBudget + 1 - nHave);
        fileBytes.resize(nHave + nWant);
        const ssize_t nRead = read(nFd, fileBytes.data() + nHave, nWant);
        if (nRead < 0 && errno == EINTR) {
            fileBytes.resize(nHave);
            continue;
        }
        if (nRead < 0)
            return {FileReadStatus::CannotOpen, errno, {}};
        fileBytes.resize(nHave + static_cast<std::size_t>(nRead));
        if (nRead == 0)
            break;
        if (bEnough && bEnough(std::string_view(fileBytes).substr(nHave, limits.nBudget - nHave)))
            break;
    }
    return {FileReadStatus::Read, 0, std::move(fileBytes)};
}

std::string FileReadMessage(std::string_view strName, const FileRead& read, FileReadLimits limits)
{
    const std::string strFile = std::string(strName) + ": ";
    switch (read.status) {
    case FileReadStatus::Read:
        return {};
    case FileReadStatus::CannotOpen:
        return strFile + SystemReason(read.nErrno);
    case FileReadStatus::NotRegular:
        return strFile + "not a regular file but a device, a pipe or a socket";
    case FileReadStatus::TooLong:
        return strFile + CrtFormat("larger than %g MiB", {static_cast<double>(limits.nBudget) / kBytesPerMebibyte});
    }
    return {};
}
