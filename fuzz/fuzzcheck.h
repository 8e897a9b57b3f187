#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant that failed is a finding: report it and abort, so libFuzzer keeps the input.
inline void FuzzCheck(bool bHolds, const char* pszInvariant)
{
    if (bHolds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", pszInvariant);
    std::abort();
}
