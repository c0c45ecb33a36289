#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// Files written whole.
namespace WholeFile {

// What a change gives for the file's content: the new content, or nothing to leave the file as
// it is.
using Change = std::function<std::optional<QByteArray>(const QByteArray &)>;

// A file read whole is never larger than this: a larger one (anyone who may write a shared
// file can make it 64 GiB at no cost) fails the update rather than fill memory.
inline constexpr qint64 wholeReadLimit = 256 * 1024 * 1024;

// Changes a file that other processes (another copy of the program, another user) may change
// too. Opens it as RegularFile has it (no FIFO, no foreign link; created when missing) and,
// under an advisory lock on the file, reads what it holds, asks `change` for the new content and
// writes that:
// - as a complete new copy renamed over the old file, when the copy can have the old file's
//   owner, group and mode: a kill or a full disk then leaves the old file or the new one;
// - otherwise (a folder the user may not write in, a file of another user) over the old file
//   in place, only where the content differs, lengthening or shortening the file last. A file
//   whose records sit at fixed places then loses at most the record being written, and a write
//   that fails is undone: the bytes it overwrote go back, and the file's length with them.
// With a read limit, `change` is given at most that many bytes from the file's start, and what
// it gives replaces the whole file all the same; without one, a file over wholeReadLimit is not
// read. Returns whether the file holds what `change` gave, synced to the disk: false when the
// file could not be opened, locked, read, written or synced. `change` runs only when the file
// was read; a file that is only readable is read but never written.
bool update(const QString &path, const Change &change, qint64 readLimit = -1);

// Makes the file hold the content, whatever it held before, as update() does.
bool write(const QString &path, const QByteArray &content);

} // namespace WholeFile
