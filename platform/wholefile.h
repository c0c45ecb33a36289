#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// Files read and written whole.
namespace WholeFile {

// The file's bytes; empty when it is missing or cannot be read.
QByteArray read(const QString &path);

// Changes a file that other processes (another copy of the program, another user) may change
// too. Under an advisory lock on the file, created when missing, reads what it holds, asks
// `change` for the new content and writes that:
// - as a complete new copy renamed over the old file, when the copy can have the old file's
//   owner, group and mode: a kill or a full disk then leaves the old file or the new one;
// - otherwise (a folder the user may not write in, a file of another user) over the old file
//   in place, only where the content differs, lengthening or shortening the file last. A file
//   whose records sit at fixed places then loses at most the record being written.
// Returns whether the file holds what `change` gave, synced to the disk: false when the file
// could not be opened, locked, written or synced. `change` runs only when the file was read; a
// file that is only readable is read but never written.
bool update(const QString &path, const std::function<QByteArray(const QByteArray &)> &change);

// Makes the file hold the content, whatever it held before, as update() does.
bool write(const QString &path, const QByteArray &content);

} // namespace WholeFile
