#pragma once

#include <cstdint>
#include <span>

// The application icon's two pictures, PNG files compiled into the program.
extern const std::span<const std::uint8_t> kIconSmallPng; // 16 by 16, fully opaque
extern const std::span<const std::uint8_t> kIconLargePng; // 32 by 32
