#pragma once

#include "platform/layout.h"

#include <span>

// The instructions window's design, in twips.
namespace Form4Layout {

inline constexpr int clientWidth = 13920;
inline constexpr int clientHeight = 9450;
inline constexpr quint32 backColor = 0x00C0FFFF;
inline constexpr char designCaption[] = "Ohjeet";
inline constexpr int titleDivisor = 120;

std::span<const Layout::Control> controls();

} // namespace Form4Layout
