#include "platform/wholefile.h"

#include <QFile>
#include <QScopeGuard>

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

// Another copy of the program holds the lock only while it writes; one that holds it longer
// is stuck, and this one gives up rather than freeze its window.
constexpr auto lockWait = std::chrono::seconds(5);
constexpr auto lockPoll = std::chrono::milliseconds(2);
constexpr int reopenLimit = 20;

// The one name of the new copy: a copy left by a kill is removed by the next write.
constexpr char copySuffix[] = ".new";

auto closeLater(int fd)
{
    return qScopeGuard([fd] {
        if (fd >= 0)
            ::close(fd);
    });
}

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

bool lock(int fd, bool exclusive)
{
    const auto deadline = std::chrono::steady_clock::now() + lockWait;
    for (;;) {
        if (::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        // A file system that keeps no locks at all: write as the program did before locks.
        if (errno == EINVAL || errno == EOPNOTSUPP || errno == ENOSYS)
            return true;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(lockPoll);
    }
}

// Opens and locks the file the path names once the lock is held: a copy of the program that
// replaced the file meanwhile leaves this one locking the old file, which no longer counts.
// Gives the descriptor, or -1.
int openLocked(const QByteArray &path, bool &writable, struct stat &held)
{
    for (int attempt = 0; attempt < reopenLimit; ++attempt) {
        writable = true;
        int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            writable = false;
            fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        }
        if (fd < 0)
            return -1;
        // Network file systems lock exclusively only what is open for writing.
        const bool locked = lock(fd, writable) && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode);
        struct stat named;
        if (locked && ::stat(path.constData(), &named) == 0 && named.st_dev == held.st_dev &&
            named.st_ino == held.st_ino)
            return fd;
        ::close(fd);
        if (!locked)
            return -1;
    }
    return -1;
}

void syncFolder(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : path.left(qMax<qsizetype>(slash, 1));
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const auto closer = closeLater(fd);
    if (fd >= 0)
        ::fsync(fd);
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
    const int copy = ::open(copyPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (copy < 0)
        return std::nullopt;
    const auto closer = closeLater(copy);
    struct stat made;
    if (::fchown(copy, old.st_uid, old.st_gid) != 0 || ::fchmod(copy, old.st_mode & 07777) != 0 ||
        ::fstat(copy, &made) != 0 || made.st_uid != old.st_uid || made.st_gid != old.st_gid ||
        (made.st_mode & 07777) != (old.st_mode & 07777)) {
        ::unlink(copyPath.constData());
        return std::nullopt;
    }
    if (!writeAll(copy, content.constData(), content.size(), 0) || ::fsync(copy) != 0 ||
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

// Writes the new content over the old one from the first byte that differs to the last, then
// lengthens or shortens the file. A lengthening that fails is undone, so a file too short to
// hold anything stays too short rather than half written.
bool writeInPlace(int fd, const QByteArray &old, const QByteArray &content)
{
    const qsizetype common = qMin(old.size(), content.size());
    qsizetype first = 0;
    while (first < common && old.at(first) == content.at(first))
        ++first;
    qsizetype end = content.size();
    if (content.size() <= old.size())
        while (end > first && old.at(end - 1) == content.at(end - 1))
            --end;
    const bool written = writeAll(fd, content.constData() + first, end - first, off_t(first)) &&
                         ::fdatasync(fd) == 0;
    if (!written) {
        if (content.size() > old.size())
            (void)::ftruncate(fd, off_t(old.size()));
        return false;
    }
    if (content.size() < old.size())
        return ::ftruncate(fd, off_t(content.size())) == 0 && ::fdatasync(fd) == 0;
    return true;
}

} // namespace

QByteArray WholeFile::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WholeFile::update(const QString &path,
                       const std::function<QByteArray(const QByteArray &)> &change)
{
    const QByteArray name = QFile::encodeName(path);
    bool writable = false;
    struct stat held;
    const int fd = openLocked(name, writable, held);
    const auto closer = closeLater(fd);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return false;
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    if (writable)
        ::unlink((name + copySuffix).constData());
    const QByteArray content = change(old);
    if (content == old)
        return true;
    if (!writable)
        return false;
    if (const std::optional<bool> replaced = replace(fd, held, name, content))
        return *replaced;
    return writeInPlace(fd, old, content);
}

bool WholeFile::write(const QString &path, const QByteArray &content)
{
    return update(path, [&content](const QByteArray &) { return content; });
}
