#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

// Sizes in the window tables are in twips; one logical pixel is 15 twips.
namespace Twips {
constexpr int perPixel = 15;
constexpr int toPixels(int twips) {
    return (twips + (twips >= 0 ? perPixel / 2 : -perPixel / 2)) / perPixel;
}
constexpr int fromPixels(int pixels) {
    return pixels * perPixel;
}
inline QRect rect(int left, int top, int width, int height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
inline QSize size(int width, int height) {
    return QSize(toPixels(width), toPixels(height));
}
} // namespace Twips
