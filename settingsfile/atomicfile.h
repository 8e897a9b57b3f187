#pragma once

// Replacing a file whole or not at all, by name as bytes: a path need not be valid UTF-8, so it goes to the
// system as it stands, never through a text conversion. Only a regular file is ever replaced: a device, a FIFO,
// a socket or a directory named as the target is refused and left as it is.

#include <functional>
#include <string>
#include <string_view>

struct FileWriteResult
{
    enum class Failure
    {
        None,
        NotRegular, // the target, links followed, exists and is a device, a FIFO or a socket
        System,     // nErrno says why: no space left, permission denied, is a directory...
    };
    Failure failure = Failure::None;
    int nErrno = 0;

    explicit operator bool() const { return failure == Failure::None; }
    // Why it failed, as GNU tools say it: "No space left on device"; empty when written.
    std::string Reason() const;
};

// Writes bytes to a new temporary file beside the target, flushes it to disk and renames it over the target,
// which gets the mode it had (0666 less the umask when new). A symbolic link is followed and kept: the regular
// file it names (or would name) is written. On any failure the temporary file is gone and the target is as it
// was. SIGINT, SIGTERM and SIGHUP arriving while a temporary file exists remove it before they end the program
// as they would have (unless the program ignores or handles them itself).
FileWriteResult WriteFileAtomically(const std::string& strPath, std::string_view bytes);

// The system's reason for an error number, in English whatever the locale, as the program's own messages are.
std::string SystemReason(int nErrno);

// Whether two names are the same file, links followed: the same device and inode (hard links too). False when
// either does not exist.
bool IsSameFile(const std::string& strPath1, const std::string& strPath2);

// For tests: called with the temporary file's name once it exists and before anything is written to it.
void SetTemporaryFileObserverForTesting(std::function<void(const std::string&)> observer);
