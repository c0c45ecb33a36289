#pragma once

#include "main/textarray.h"

#include <QByteArray>
#include <QString>

class QFile;
class QIODevice;

// The vocabulary database "Kielo Opinto Voc.db": Windows-1252 text, a section a vocabulary
// headed by "#" and its number, then word lines "left\right". The whole file is read into
// Database_Lines at every activation of the main window.
namespace VocabularyDatabase {

inline constexpr char fileName[] = "Kielo Opinto Voc.db";
inline constexpr int maxLines = 10000;

// A word line keeps only what stands before its second backslash; a section line (first
// character "#") and a line with fewer than two backslashes stay whole.
QString cutWordLine(const QString &line);

// Opens the database of the current directory for reading, as a regular file only: no FIFO or
// device can stall the reader, and no other user's link redirects it.
bool open(QFile &file);

// Fills lines 1 to 10000 from the open file; lines past the 10000th are not read. A file that
// shrinks or changes meanwhile gives the lines read before, the rest stay empty.
void read(QIODevice &file, TextArray &lines);

} // namespace VocabularyDatabase

// Replaces Database_Lines with the database in the current directory. A missing or empty file
// leaves every line empty.
void Load_Database(TextArray &Database_Lines);
