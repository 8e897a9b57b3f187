#pragma once

// Replacing a file whole or not at all, by name as bytes: a path need not be valid UTF-8, so it goes to the
// system as it stands, never through a text conversion.

#include <string>
#include <string_view>

// Writes bytes to a new temporary file beside strPath, flushes it to disk and renames it over strPath, which
// gets the mode it had (0666 less the umask when new). A symbolic link is followed: the file it names is
// replaced. False on any failure; the temporary file is then gone and an existing file is as it was.
bool WriteFileAtomically(const std::string& strPath, std::string_view bytes);
