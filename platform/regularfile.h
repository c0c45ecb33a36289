#pragma once

#include <QIODevice>
#include <QString>

class QFile;

// Opens the program's files, which lie in folders that other users may write in. An open never
// blocks, and gives nothing but a regular file: a FIFO, a device or a folder under one of the
// program's file names counts as a file that cannot be opened. A symbolic link, in the path's
// folders or at its end, is followed only when it belongs to the user, to root or to the owner
// of the folder it stands in: the kernel's rule for sticky folders, applied in every folder, so
// that nobody can send another user's writes into a file of that user's choosing, while an
// administrator's link keeps working.
namespace RegularFile {

enum class Create
{
    Never,
    WhenMissing
};

// Opens the file for reading (O_RDONLY) or for reading and writing (O_RDWR). An existing file
// is opened without O_CREAT; a missing one is created, with O_CREAT | O_EXCL and mode 0666 less
// the umask, only under Create::WhenMissing and only under its own name, never at the end of a
// dangling link. Gives the descriptor (close-on-exec, reads and writes blocking as usual), or -1
// with errno set.
int open(const QString &path, int access, Create create = Create::Never);

// The same for a QFile, which then owns the descriptor; `mode` is ReadOnly or ReadWrite, and may
// add Unbuffered.
bool open(QFile &file, const QString &path, QIODevice::OpenMode mode,
          Create create = Create::Never);

} // namespace RegularFile
