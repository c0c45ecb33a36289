#pragma once

#include "platform/layout.h"

#include <span>

// The exam window's design, in twips.
namespace Form2Layout {

inline constexpr int clientWidth = 11760;
inline constexpr int clientHeight = 6270;
inline constexpr quint32 backColor = 0x00FFFFFF;
inline constexpr char designCaption[] = "Kielotar Opinto";
inline constexpr char title[] = "KOE";
inline constexpr int titleDivisor = 120;

// Label6 indices: the two buttons.
inline constexpr int backButton = 0;  // "TAKAISIN"
inline constexpr int checkButton = 1; // "TARKISTA"

std::span<const Layout::Control> controls();

} // namespace Form2Layout
