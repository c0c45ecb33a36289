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
// A damaged file is read no further than 30 lines need, each line cut at 64 KiB: a giant file
// (a line without end, say) costs a few MiB at most, and the next save writes the 30 lines.
inline constexpr int maxLineLength = 64 * 1024;
inline constexpr qint64 readLimit = qint64(lineCount) * (maxLineLength + 2);

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

// The score character of a slot; a slot past the end of a short line reads as a blank.
char scoreAt(const QByteArray &line, int slot);

// The first of slots 1 to 100 whose score character is a blank (slots past the end of a short
// line included); 0 when no slot is free.
int firstFreeSlot(const QByteArray &line);

// One stored entry: the slot of a line, what it received, and whether this copy of the program
// knew the slot as free when it stored there.
struct Record
{
    int line;
    int slot;
    char score;
    QByteArray stamp;
    bool knewFree;
};

// The content of a new results file: 30 lines of 1600 blanks.
QByteArray blankFile();

} // namespace ResultsFile

// Result_Lines: the results file's lines as this run knows them, and the entries this run
// stored that have not reached the file yet. One file serves every user and every copy of the
// program, so a save writes only these entries, into the file as it then stands.
class ResultLineArray : public ByteTextArray
{
public:
    QList<ResultsFile::Record> unsaved; // oldest first, one per slot
    // Exams that the last save found no free slot for in the file: not stored, and not kept.
    QList<ResultsFile::Record> refused;
};

// Reads the results file of the current directory into Result_Lines 1 to 30, writing a blank
// file first when it is missing or shorter than 10 bytes. When that blank file cannot be
// written (or the file read) the lines are the blank file's all the same, so that the first
// save that succeeds writes a whole file.
void Load_Results_File(ResultLineArray &Result_Lines);

// Puts the score character and the stamp into a slot of one line, in memory, and keeps the
// entry for the next save. A line too short to hold the entry is first lengthened with blanks
// to its 1600 characters, so that no entry is cut short; a line or slot number out of range
// changes nothing.
void Store_Result_Entry(ResultLineArray &Result_Lines, int line, int slot, int score,
                        const QDateTime &when = QDateTime::currentDateTime());

// Writes the unsaved entries into the file as it stands, one at a time under the file's lock,
// and then holds the file's lines in Result_Lines, so that what another copy of the program
// saved meanwhile is kept and seen. A test's entry replaces its set's slot. An exam whose slot
// this copy knew as free but another copy filled meanwhile takes the first free one, and with
// none left it is refused: not stored, and listed in `refused`. An entry that could not be
// written stays unsaved, in memory, for the next save. Every line of the file shorter than
// 1600 characters is lengthened with blanks, and every line ends with CR LF, so a damaged file
// is made whole by the first save that finds it. Returns whether every entry is whole in the
// file.
bool Save_Results_File(ResultLineArray &Result_Lines);
