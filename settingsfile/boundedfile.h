#pragma once

// Reading a file with the bounds every reader of the program keeps: only a regular file is read (a FIFO may wait for
// a writer forever, a device may never end), in chunks, and no further than a budget, so that a huge file, one
// endless line or /dev/zero costs at most that much memory and time. Names are bytes, passed to the system as they
// are.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct FileReadLimits
{
    std::size_t nChunk = 64 * 1024;
    std::size_t nBudget = 1024 * 1024;
};

enum class FileReadStatus
{
    Read,
    CannotOpen, // missing, a directory, no permission, a read error
    NotRegular, // a device, a pipe or a socket
    TooLong,    // the budget ran out before the file did (or before the reader had what it needs)
};

struct FileRead
{
    FileReadStatus status = FileReadStatus::CannotOpen;
    int nErrno = 0;    // CannotOpen: the system's reason (ENOENT, EACCES, EISDIR...)
    std::string bytes; // Read: the file, or as much of it as the reader needed
};

// Reads to the end of the file, or until bEnough, shown each chunk's new bytes that lie within the budget, says it
// has what it needs. A file of exactly nBudget bytes is read; one byte more is TooLong.
FileRead ReadBoundedFile(const std::string& strPath, FileReadLimits limits = {},
                         const std::function<bool(std::string_view)>& bEnough = {});

// The same from a descriptor already open (standard input), whatever it is: a pipe ends when its writer closes it.
FileRead ReadBoundedStream(int nFd, FileReadLimits limits = {},
                           const std::function<bool(std::string_view)>& bEnough = {});

// "FILE: reason" for a read that failed: the system's reason, or why the file was not read; empty for Read.
std::string FileReadMessage(std::string_view strName, const FileRead& read, FileReadLimits limits = {});

// What a reader of a file the user keeps gives back: the whole value, or why there is none ("FILE:LINE:COLUMN:
// reason", "FILE: key.path: reason"), never a part of one, so that a bad file changes nothing.
template<class TValue>
struct ReadOutcome
{
    std::optional<TValue> value;
    std::string strError; // empty when read
};

// Hands what was read to parse, or tells why it was not read; strName names the file (or the stream) in messages.
template<class TValue>
ReadOutcome<TValue> ParseFileRead(std::string_view strName, const FileRead& read,
                                  ReadOutcome<TValue> (*parse)(std::string_view strName, std::string_view bytes))
{
    if (read.status != FileReadStatus::Read)
        return {std::nullopt, FileReadMessage(strName, read)};
    return parse(strName, read.bytes);
}

// Reads a file within the default limits and hands its bytes to parse, or tells why it was not read.
template<class TValue>
ReadOutcome<TValue> ReadFileWith(const std::string& strPath,
                                 ReadOutcome<TValue> (*parse)(std::string_view strName, std::string_view bytes))
{
    return ParseFileRead(strPath, ReadBoundedFile(strPath), parse);
}
