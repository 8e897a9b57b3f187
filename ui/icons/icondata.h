#pragma once

#include <cstdint>
#include <span>

// The application icon's pictures, compiled into the program: the pixels of the PNG drawn for each size the icon
// theme installs (as IconResource::pictures holds them), and the SVG they are drawn from.
extern const std::span<const std::uint8_t> kIcon16Pixels;
extern const std::span<const std::uint8_t> kIcon32Pixels;
extern const std::span<const std::uint8_t> kIcon48Pixels;
extern const std::span<const std::uint8_t> kIcon64Pixels;
extern const std::span<const std::uint8_t> kIcon128Pixels;
extern const std::span<const std::uint8_t> kIcon256Pixels;
extern const std::span<const std::uint8_t> kIconSvg;
