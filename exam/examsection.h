#pragma once

#include "main/textarray.h"

#include <QStringView>

class QIODevice;

// The exam's own reading of one vocabulary's section, straight from the database file. Its
// header is the first line whose first character is "#" and whose rest reads, by Text_Value,
// as the vocabulary number ("#3", "#03", "# 3" and "#3 Sähkö" all head section 3). The section
// runs to the next line that starts with "#" or to the end of the file.
namespace ExamSection {

// Vocabulary_Lines holds positions 1 to 1000: lines of a section past the 1000th are counted
// but not stored.
inline constexpr int maxStoredLines = 1000;

struct Result
{
    bool headerFound = false;
    qint64 lineCount = 0; // lines of the section, stored or not
};

bool isHeader(QStringView line, int vocabulary);

// Stores the section's lines at positions 1, 2, ... of Vocabulary_Lines, each word line cut
// before its second backslash; an empty line takes a position like any other. Positions after
// the section keep what they held. The file is the open database, Windows-1252 with CR LF; it
// is read line by line and only the section's first 1000 lines are kept.
Result read(QIODevice &file, int vocabulary, TextArray &Vocabulary_Lines);

} // namespace ExamSection
