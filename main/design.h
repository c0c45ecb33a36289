#pragma once

#include "platform/layout.h"

// The fonts and colours that the windows' layouts share. Colours are &H00BBGGRR.
namespace Design {

inline constexpr Layout::Font arial975{"Arial", 9.75};
inline constexpr Layout::Font arial975Bold{"Arial", 9.75, true};
inline constexpr Layout::Font arial12{"Arial", 12};
inline constexpr Layout::Font arial12Bold{"Arial", 12, true};
inline constexpr Layout::Font arial1425Bold{"Arial", 14.25, true};
inline constexpr Layout::Font arial18Bold{"Arial", 18, true};
inline constexpr Layout::Font arialNarrow975{"Arial Narrow", 9.75};
inline constexpr Layout::Font logoFont{"Times New Roman", 24};

inline constexpr quint32 white = 0x00FFFFFF;
inline constexpr quint32 black = 0x00000000;
inline constexpr quint32 yellow = 0x0000FFFF;
inline constexpr quint32 blue = 0x00FF0000;
inline constexpr quint32 darkBlue = 0x00C00000;
inline constexpr quint32 darkGrey = 0x00404040;
inline constexpr quint32 grey = 0x00808080;
inline constexpr quint32 lightGrey = 0x00C0C0C0;
inline constexpr quint32 paleGrey = 0x00E0E0E0;
inline constexpr quint32 lightYellow = 0x00C0FFFF;
inline constexpr quint32 paleYellow = 0x0080FFFF;

} // namespace Design
