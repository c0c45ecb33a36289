#pragma once

#include "platform/layout.h"

#include <span>

// The login window's design, in twips.
namespace Form3Layout {

inline constexpr int clientWidth = 5475;
inline constexpr int clientHeight = 2580;
inline constexpr char caption[] = "Login";

std::span<const Layout::Control> controls();

} // namespace Form3Layout
