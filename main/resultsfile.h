#pragma once

#include "main/passmark.h"
#include "main/textarray.h"

#include <QDateTime>

// The results file "KTresults.txt": 30 lines of 1600 bytes with CR LF. Line v (1 to 15) holds
// the tests of vocabulary v, line 15 + v its exams. A line is 100 score characters (32 +
// score, a blank for none) followed by 100 stamps of 15 characters, "MM-DD-YYYYhh:mm".
// The lines stay bytes: score characters reach 132, which is no text character.
namespace ResultsFile {

inline constexpr char fileName[] = "KTresults.txt";
inline constexpr int vocabularyCount = 15;
inline constexpr int lineCount = 2 * vocabularyCount; // tests, then exams
inline constexpr int slotCount = 100;
inline constexpr int stampLength = 15;
inline constexpr int lineLength = slotCount + slotCount * stampLength; // 1600
inline constexpr int minimumFileSize = 10;

inline char scoreCharacter(int score) { return char(32 + score); }
inline int scoreOf(char scoreCharacter) { return int(uchar(scoreCharacter)) - 32; }
// A set counts as passed from 80 points on (score character 112 or above).
inline bool isPassed(char scoreCharacter) { return PassMark::passes(scoreOf(scoreCharacter)); }

// The lines of a vocabulary (1 to 15): its tests, and its exams.
inline bool isVocabulary(int vocabulary)
{
    return vocabulary >= 1 && vocabulary <= vocabularyCount;
}
inline int testLine(int vocabulary) { return vocabulary; }
inline int examLine(int vocabulary) { return vocabularyCount + vocabulary; }
// First character of the stamp of a slot, counted from 1.
inline int stampStart(int slot) { return slotCount + 1 + stampLength * (slot - 1); }

// "MM-DD-YYYY" followed at once by "hh:mm", 24-hour clock.
QByteArray stamp(const QDateTime &when);

// The content of a new results file: 30 lines of 1600 blanks.
QByteArray blankFile();

} // namespace ResultsFile

// Reads the results file of the current directory into Result_Lines 1 to 30, writing a blank
// file first when it is missing or shorter than 10 bytes.
void Load_Results_File(ByteTextArray &Result_Lines);

// Puts the score character and the stamp into a slot of one line, in memory only. The line
// keeps its length; a line or slot number out of range changes nothing.
void Store_Result_Entry(ByteTextArray &Result_Lines, int line, int slot, int score,
                        const QDateTime &when = QDateTime::currentDateTime());

// Rewrites the whole file from Result_Lines 1 to 30. The new content replaces the old file
// only once it is completely written, so a failed save leaves the old file whole; the lines
// in memory are kept either way. Returns whether the file was written.
bool Save_Results_File(const ByteTextArray &Result_Lines);
