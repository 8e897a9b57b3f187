#pragma once

// A text held by a file beside the tests: a failure names the first line that differs; RATIOGRAPH_UPDATE_SNAPSHOT=1
// writes the file anew, for a change made on purpose and read in the commit's difference.

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

inline void ExpectSnapshot(const std::string& strMade, const std::string& strPath)
{
    if (std::getenv("RATIOGRAPH_UPDATE_SNAPSHOT") != nullptr)
        std::ofstream(strPath) << strMade;
    std::ifstream kept(strPath);
    std::istringstream made(strMade);
    for (std::string strLine, strKept;;) {
        const bool bMade = static_cast<bool>(std::getline(made, strLine));
        const bool bKept = static_cast<bool>(std::getline(kept, strKept));
        if (bMade != bKept || strLine != strKept) {
            ADD_FAILURE() << strPath << ": \"" << (bMade ? strLine : "(end)") << "\" where the snapshot has \""
                          << (bKept ? strKept : "(end)") << "\"; RATIOGRAPH_UPDATE_SNAPSHOT=1 writes the new one";
        }
        if (!bMade || !bKept || strLine != strKept)
            break;
    }
}
