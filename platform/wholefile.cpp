#include "platform/wholefile.h"

#include "platform/descriptor.h"
#include "platform/regularfile.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

// Writing goes straight to POSIX rather than through QSaveFile: QSaveFile needs a folder the
// user may write in, gives its copy the user's own owner and group, reports a write that the
// disk refused as done, and leaves a differently named temporary behind each kill.

namespace {

using Clock = std::chrono::steady_clock;

// Another copy of the program holds the lock only while it writes; one that holds it longer
// is stuck, and this one gives up rather than freeze its window.
constexpr auto lockWait = std::chrono::seconds(5);
constexpr auto lockPoll = std::chrono::milliseconds(2);

// The one name of the new copy: a copy left by a kill is removed by the next write.
constexpr char copySuffix[] = ".new";

bool writeAll(int fd, const char *data, qsizetype size, off_t offset)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(size), offset);
        if (n <= 0 && !(n < 0 && errno == EINTR))
            return false;
        if (n > 0) {
            data += n;
            size -= n;
            offset += n;
        }
    }
    return true;
}

bool lock(int fd, bool exclusive, Clock::time_point deadline)
{
    for (;;) {
        if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        // A file system that keeps no locks at all: write as the program did before locks.
        if (errno == EINVAL || errno == EOPNOTSUPP || errno == ENOSYS)
            return true;
        if (errno != EWOULDBLOCK || Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(lockPoll);
    }
}

// Opens and locks the file the path names once the lock is held: a copy of the program that
// replaced the file meanwhile leaves this one locking the old file, which no longer counts.
// Each such replacement is another copy's save done, so only the time waited in all is
// bounded: a count of attempts let a copy that saves without pause starve this one. Gives the
// descriptor, or -1.
int openLocked(const QString &path, bool &writable, struct stat &held)
{
    const Clock::time_point deadline = Clock::now() + lockWait;
    for (;;) {
        writable = true;
        Descriptor fd(RegularFile::open(path, O_RDWR, RegularFile::Create::WhenMissing));
        if (!fd) {
            writable = false;
            fd = Descriptor(RegularFile::open(path, O_RDONLY));
        }
        if (!fd)
            return -1;
        // Network file systems lock exclusively only what is open for writing.
        const bool locked = lock(fd.get(), writable, deadline) && ::fstat(fd.get(), &held) == 0;
        struct stat named;
        if (locked && ::stat(QFile::encodeName(path).constData(), &named) == 0 &&
            named.st_dev == held.st_dev && named.st_ino == held.st_ino)
            return fd.release();
        if (!locked || Clock::now() >= deadline)
            return -1;
    }
}

void syncFolder(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : path.left(qMax<qsizetype>(slash, 1));
    const Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd)
        ::fsync(fd.get());
}

// Replaces the file with a complete new copy. Gives nothing when the copy cannot be made here
// with the old file's owner, group and mode (nor a file with an access list, several names or
// a symbolic link to it be replaced without loss), or when the disk is too full to hold it, so
// that the caller writes in place.
std::optional<bool> replace(int fd, const struct stat &old, const QByteArray &path,
                            const QByteArray &content)
{
    struct stat link;
    if (::lstat(path.constData(), &link) != 0 || !S_ISREG(link.st_mode) || old.st_nlink != 1 ||
        ::fgetxattr(fd, "system.posix_acl_access", nullptr, 0) > 0)
        return std::nullopt;
    const QByteArray copyPath = path + copySuffix;
    const Descriptor copy(
        ::open(copyPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!copy)
        return std::nullopt;
    struct stat made;
    if (::fchown(copy.get(), old.st_uid, old.st_gid) != 0 ||
        ::fchmod(copy.get(), old.st_mode & 07777) != 0 || ::fstat(copy.get(), &made) != 0 ||
        made.st_uid != old.st_uid || made.st_gid != old.st_gid ||
        (made.st_mode & 07777) != (old.st_mode & 07777)) {
        ::unlink(copyPath.constData());
        return std::nullopt;
    }
    if (!writeAll(copy.get(), content.constData(), content.size(), 0) || ::fsync(copy.get()) != 0 ||
        ::rename(copyPath.constData(), path.constData()) != 0) {
        // A full disk has no room for a second copy, but a change in place needs none.
        const bool diskFull = errno == ENOSPC || errno == EDQUOT;
        ::unlink(copyPath.constData());
        if (diskFull)
            return std::nullopt;
        return false;
    }
    syncFolder(path);
    return true;
}

// Appends the file's bytes from the end of `bytes` up to `to` (or to the file's end); false
// when a read fails.
bool readInto(int fd, QByteArray &bytes, qint64 to)
{
    qsizetype have = bytes.size();
    bytes.resize(qsizetype(to));
    while (have < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + have, size_t(bytes.size() - have), have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        have += n;
    }
    bytes.resize(have);
    return true;
}

// Writes the new content over the old one from the first byte that differs to the last, then
// lengthens or shortens the file; `head` is the file's first bytes and `size` its length. A
// failure undoes what was written: the overwritten bytes go back and the length with them. A
// save that reports a failure then leaves no part of its record behind, and its retry finds the
// record's place as it was.
bool writeInPlace(int fd, QByteArray head, qint64 size, const QByteArray &content)
{
    const qsizetype common = qMin(head.size(), content.size());
    qsizetype first = 0;
    while (first < common && head.at(first) == content.at(first))
        ++first;
    qsizetype end = content.size();
    if (content.size() <= head.size())
        while (end > first && head.at(end - 1) == content.at(end - 1))
            --end;
    // The undo needs every old byte that the write covers.
    if (end > head.size() && size > head.size() && !readInto(fd, head, qMin<qint64>(end, size)))
        return false;
    const auto restore = [&](qsizetype from, qsizetype to) {
        if (to > from)
            (void)writeAll(fd, head.constData() + from, to - from, off_t(from));
    };
    const auto undo = [&] {
        (void)::ftruncate(fd, off_t(size));
        restore(first, qMin(end, head.size()));
        if (content.size() < size)
            restore(content.size(), head.size());
        (void)::fdatasync(fd);
        return false;
    };
    if (!writeAll(fd, content.constData() + first, end - first, off_t(first)) ||
        ::fdatasync(fd) != 0)
        return undo();
    if (content.size() < size &&
        (::ftruncate(fd, off_t(content.size())) != 0 || ::fdatasync(fd) != 0))
        return undo();
    return true;
}

} // namespace

bool WholeFile::update(const QString &path, const Change &change, qint64 readLimit)
{
    const QByteArray name = QFile::encodeName(path);
    bool writable = false;
    struct stat held;
    const Descriptor fd(openLocked(path, writable, held));
    if (!fd || (readLimit < 0 && held.st_size > wholeReadLimit))
        return false;
    QByteArray head;
    const qint64 toRead = readLimit < 0 ? held.st_size : qMin<qint64>(held.st_size, readLimit);
    if (!readInto(fd.get(), head, toRead))
        return false;
    if (writable)
        ::unlink((name + copySuffix).constData());
    const std::optional<QByteArray> content = change(head);
    if (!content || (*content == head && head.size() == held.st_size))
        return true;
    if (!writable)
        return false;
    if (const std::optional<bool> replaced = replace(fd.get(), held, name, *content))
        return *replaced;
    return writeInPlace(fd.get(), head, held.st_size, *content);
}

bool WholeFile::write(const QString &path, const QByteArray &content)
{
    // Only the old bytes that the new content could leave as they are need reading.
    return update(
        path, [&content](const QByteArray &) { return std::optional<QByteArray>(content); },
        content.size());
}
