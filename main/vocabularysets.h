#pragma once

#include "main/textarray.h"

#include <QByteArray>
#include <QString>

// The set arithmetic of a vocabulary over the database held in memory. A vocabulary's section
// starts at its header line h ("#" and the vocabulary number); set s is the ten lines
// h + 10 × (s − 1) + 1 to h + 10 × s, counted from the header whatever follows, so a set past
// the section takes the lines after it. Lines past the end of the database are absent.
namespace VocabularySets {

inline constexpr int wordsPerSet = 10;
inline constexpr int vocabularyLinesUpper = 1000; // Vocabulary_Lines holds positions 1 to 1000

// "#" and the vocabulary number as plain decimal text ("#3", "#12").
QString headerKey(int vocabulary);

// The first line, from 1 up, whose text without surrounding blanks is the vocabulary's header
// key; 0 when there is none.
int findHeader(const TextArray &Database_Lines, int vocabulary);

// The lines after the header up to the first line that starts with "#", or to the end of the
// database when none follows.
int wordLineCount(const TextArray &Database_Lines, int header);

// Whole sets of a section: the integer part of (lines + 1) / 10, so a last set of nine lines
// counts and one of eight or fewer does not.
int setCount(int wordLines);

// Walks sets 1 to setNumber from the header: copies their lines to Vocabulary_Lines from
// position 1 (as far as it reaches) and splits each line at its first backslash into
// Left_Words and Right_Words position j. A line without a backslash is its right word whole and
// leaves the left word as it stood; an absent line changes nothing. The words left at the end
// are those of the current set. The arrays are dimensioned by the caller; header 0 fills
// nothing.
void fillSet(const TextArray &Database_Lines, int header, int setNumber, TextArray &Left_Words,
             TextArray &Right_Words, TextArray &Vocabulary_Lines);

// The first of slots 1 to 100 of a test line whose score character is below the pass mark;
// slots beyond a short line are skipped, and set 1 when none qualifies.
int firstSetNotPassed(const QByteArray &testLine);

} // namespace VocabularySets
