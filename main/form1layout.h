#pragma once

#include "platform/layout.h"

#include <span>

// The main window's design, in twips.
namespace Form1Layout {

inline constexpr int clientWidth = 11655;
inline constexpr int clientHeight = 5970;
inline constexpr quint32 backColor = 0x00FFFFFF;
inline constexpr char designCaption[] = "Kielotar Opinto";
inline constexpr int titleDivisor = 110;
inline constexpr int setIndicator = 7; // Label2 index of the set indicator

std::span<const Layout::Control> controls();

// The vocabulary menu's items 1 to 15, in menu order.
std::span<const char *const> vocabularyNames();

} // namespace Form1Layout
