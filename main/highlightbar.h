#pragma once

// The highlight bar (Form1's Shape2) marks one line of the two word columns. Its place lives
// only in its top, in twips: the exercise moves it down a line per reveal and puts it back to
// the first line, and the Up and Down keys move it within the ten word lines.
namespace HighlightBar {

inline constexpr int firstTop = 1755; // the first word line: 45 twips above the columns
inline constexpr int lineStep = 270;  // one text line of the word columns

// The keys move the bar only while its distance from the columns' top is inside these: from
// the second line up, from the ninth line down.
inline constexpr int upLimit = 20;
inline constexpr int downLimit = 2300;

// Where a released key leaves the bar: Up (38) a line higher, Down (40) a line lower, each
// only within the limits, measured before the move; any other key leaves it where it is.
int topAfterKey(int barTop, int columnTop, int keyCode);

} // namespace HighlightBar
