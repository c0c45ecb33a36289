#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// The user list "Users.txt": one name a line, Windows-1252 with CR LF, in the order the users
// were created. Names are kept exactly as typed: no trimming, duplicates allowed.
namespace UserList {

inline constexpr char fileName[] = "Users.txt";

// Creates an empty list when none exists, then gives every non-empty line in file order. A
// file of one byte or less holds no name and is not read; an unreadable file gives no names.
QStringList load(const QString &path = QString::fromLatin1(fileName));

// The names of an open list, as load() reads them; memory holds the names and one block of
// the file, however many empty lines it has.
QStringList names(QIODevice &list);

// Appends the name and CR LF, creating the list when it is missing. A list whose last line
// lacks its line end gets one first, so that the new name never runs into the one before it.
// Returns whether the name reached the disk whole.
bool append(const QString &name, const QString &path = QString::fromLatin1(fileName));

} // namespace UserList

// The per-user file written for each new user and never read: "User 1.txt", "User 2.txt", ...
// beside the user list.
namespace UserFile {

inline constexpr int lineCount = 200;

// "User", the number with its leading blank, ".txt".
QString fileName(int number);

// 200 lines of five TABs, each followed by CR LF.
QByteArray content();

// Writes the file with that number in the given folder ("" for the current one), replacing any
// file of that name as a whole. Returns whether all of it reached the disk.
bool write(int number, const QString &folder = QString());

} // namespace UserFile
