#pragma once

// Where the program's shipped data files are found, installed or in the build tree, and where a user keeps their
// own: the XDG base directories, the program's own share directory first so that an installation works whatever
// its prefix.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The places strFile may be installed, in the order they are tried:
//   1. <the program's directory>/../share/ratiograph/strFile, where an installation keeps it whatever its prefix
//      (and where the build tree keeps its copy, beside app/);
//   2. <each directory of $XDG_DATA_DIRS, /usr/local/share:/usr/share when unset>/ratiograph/strFile.
// Relative directories in the variable are ignored, as the XDG base directory rules say.
std::vector<std::string> InstalledDataFiles(std::string_view strFile);

// $XDG_DATA_HOME/ratiograph, ~/.local/share/ratiograph when unset; empty when neither is an absolute path.
std::string UserDataDirectory();

// The first of the paths that exists, or nothing.
std::optional<std::string> FirstExisting(const std::vector<std::string>& paths);
