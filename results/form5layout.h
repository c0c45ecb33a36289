#pragma once

#include "platform/layout.h"

#include <span>

// The results window's design, in twips.
namespace Form5Layout {

inline constexpr int clientWidth = 12480;
inline constexpr int clientHeight = 5040;
inline constexpr quint32 backColor = 0x00FFFFFF;
inline constexpr char designCaption[] = "Tulokset";
inline constexpr int titleDivisor = 120;

std::span<const Layout::Control> controls();

} // namespace Form5Layout
