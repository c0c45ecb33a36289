#pragma once

#include "exam/examtable.h"
#include "main/randomdraw.h"
#include "main/textarray.h"

#include <QString>

// The exam's draw: 100 distinct positions of Vocabulary_Lines, taken at random from the whole
// sets of the vocabulary, become rows 1 to 100 of Exam_Table in the order drawn.
namespace ExamDraw {

inline constexpr int rowCount = 100;

// The numbers the draw takes from: 1 to 10 × Set_Count, but no further than the positions
// that Vocabulary_Lines can hold, so that every row names a stored line.
int range(int setCount);

// Fewer than 100 numbers can never give 100 distinct rows.
inline bool canDraw(int range) { return range >= rowCount; }

// One row from a line cut as the section reader stores it: the Prompt is the text after the
// first backslash and the Expected_Answer the text before it; a line without a backslash is
// all Prompt, with an empty Expected_Answer.
void fillRow(ExamTable &table, int row, const QString &line);

// Seeds the generator, then draws until 100 distinct numbers from 1 to range have filled
// rows 1 to 100; the Typed_Answer entries are left as they are. Returns the drawn-number
// record. With a range too small to draw from, nothing is drawn and the record stays "*".
DrawRecord draw(RandomGenerator &random, int range, const TextArray &Vocabulary_Lines,
                ExamTable &table);

} // namespace ExamDraw
