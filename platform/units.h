// The units windows and pages are laid out in.
#pragma once

namespace platform {

constexpr int TwipsPerInch = 1440;
constexpr int PointsPerInch = 72;
constexpr int TwipsPerPoint = TwipsPerInch / PointsPerInch; // 20
// Logical pixels per inch of a screen at 100 %.
constexpr int PixelsPerInch = 96;
constexpr int TwipsPerPixel = TwipsPerInch / PixelsPerInch; // 15

// Twips to logical pixels, to the nearest.
constexpr int px(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }

} // namespace platform
