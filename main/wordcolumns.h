#pragma once

#include "main/textarray.h"

#include <QString>

// The texts of the main window's two word columns (Label1 indices 0 and 1): words 1 to 10 of
// the current set, one a line with CR LF between them and none after the tenth. Only the left
// column's tenth line starts with a blank.
namespace WordColumns {

QString leftText(const TextArray &Left_Words);
QString rightText(const TextArray &Right_Words);

} // namespace WordColumns
