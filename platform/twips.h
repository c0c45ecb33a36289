#pragma once

#include <QColor>
#include <QRect>

// Window layouts are designed in twips on a 96 dpi screen: 15 twips make one pixel.
namespace Twips {

inline constexpr int perPixel = 15;

constexpr int toPixels(int twips)
{
    // Round half away from zero so that 7 twips and -7 twips map symmetrically.
    return twips >= 0 ? (twips + perPixel / 2) / perPixel : -((-twips + perPixel / 2) / perPixel);
}

constexpr int fromPixels(int pixels) { return pixels * perPixel; }

inline QRect toPixels(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips

// Colours are held as &H00BBGGRR: blue in the high byte, red in the low byte.
inline QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
