#pragma once

class QKeyEvent;

// The program's handlers speak in the Windows desktop's virtual key codes.
namespace KeyCodes {

inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Alt = 18;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Delete = 46;

// The virtual key code of a Qt key event; 0 for keys that have none here.
int fromEvent(const QKeyEvent *event);

} // namespace KeyCodes
