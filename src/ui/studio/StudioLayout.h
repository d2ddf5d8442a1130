#pragma once

// The Dialog Studio's size rule, in twips. A client area that fits stretches the speech box,
// the answer frame and the analysis pane; one that does not snaps the window back to its
// opening outer size.
namespace StudioLayout {
constexpr int minClientWidth = 10000; // a client area must be wider than this
constexpr int minClientHeight = 5955; // and at least this high
constexpr int snapOuterWidth = 10170; // the outer size the window snaps back to
constexpr int snapOuterHeight = 6765;
constexpr int openClientWidth = 10050; // the client area the window opens with
constexpr int openClientHeight = 5955;

constexpr bool clientFits(int width, int height) {
    return height >= minClientHeight && width > minClientWidth;
}
} // namespace StudioLayout
