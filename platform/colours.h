#pragma once

#include <QColor>

#include <cstdint>

namespace rt {

// A stored colour: &H00BBGGRR& for a fixed colour, &H800000nn& for system colour nn.
[[nodiscard]] QColor color(std::uint32_t stored);

// The stored colours the windows use, by name.
namespace colours {
inline constexpr std::uint32_t black = 0x00000000;
inline constexpr std::uint32_t blue = 0x00FF0000;
inline constexpr std::uint32_t darkBlue = 0x00C00000;
inline constexpr std::uint32_t red = 0x000000FF;
inline constexpr std::uint32_t grey = 0x00808080;
inline constexpr std::uint32_t silver = 0x00C0C0C0;
inline constexpr std::uint32_t white = 0x00FFFFFF;
inline constexpr std::uint32_t highlightedText = 0x8000000E; // system colour 14
} // namespace colours

} // namespace rt
