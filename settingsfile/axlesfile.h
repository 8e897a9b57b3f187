#pragma once

// The rear-axle ratios the program ships for its regearing figures, in a file of the presets file's kind (JSON Lines,
// ratiograph(1), AXLES FILE): a header object {"format": "ratiograph-axles", "version": 1}, then one axle per line,
// {"axle": "Ford 8.8 in", "ratios": [3.08, 3.27, ...], "source": "..."}; blank lines and # comments skipped.

#include <string>
#include <string_view>
#include <vector>

#include "calc/tirecompare.h"
#include "settingsfile/boundedfile.h"

inline constexpr std::string_view kAxlesFormat = "ratiograph-axles";
inline constexpr int kAxlesVersion = 1;
inline constexpr std::string_view kAxlesFileName = "axles.jsonl";

using AxleLists = std::vector<AxleRatioList>;

// Each ratio above 0 and at most 50, as the calculator's rear-end field takes it.
ReadOutcome<AxleLists> ParseAxlesFile(std::string_view strName, std::string_view bytes);
ReadOutcome<AxleLists> ReadAxlesFile(const std::string& strPath);

// The installed list (the first of InstalledDataFiles(kAxlesFileName) that exists), or why there is none.
ReadOutcome<AxleLists> LoadInstalledAxles();
