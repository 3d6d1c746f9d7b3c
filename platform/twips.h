#pragma once

#include <QRect>

namespace rt {

// Layouts are written in twips, as designed; on screen one logical pixel is
// 15 twips (96 dpi) and Qt's high-DPI scaling does the rest.
inline constexpr int twipsPerPixel = 15;

[[nodiscard]] constexpr int px(double twips)
{
    return static_cast<int>(twips >= 0 ? twips / twipsPerPixel + 0.5 : twips / twipsPerPixel - 0.5);
}
[[nodiscard]] constexpr int twips(int pixels)
{
    return pixels * twipsPerPixel;
}
[[nodiscard]] constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

} // namespace rt
