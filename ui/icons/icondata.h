#pragma once

#include <cstdint>
#include <span>

// The application icon's pictures, the files of ui/icons/ compiled into the program: a PNG for each size the
// icon theme installs, and the SVG they are drawn from.
extern const std::span<const std::uint8_t> kIcon16Png;
extern const std::span<const std::uint8_t> kIcon32Png;
extern const std::span<const std::uint8_t> kIcon48Png;
extern const std::span<const std::uint8_t> kIcon64Png;
extern const std::span<const std::uint8_t> kIcon128Png;
extern const std::span<const std::uint8_t> kIcon256Png;
extern const std::span<const std::uint8_t> kIconSvg;
