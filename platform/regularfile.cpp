#include "platform/regularfile.h"

#include "platform/descriptor.h"

#include <QFile>
#include <QList>

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The path is walked one name at a time, each opened with O_NOFOLLOW, so that every link on the
// way is looked at before it is followed. A link is opened itself (O_PATH) and its owner and
// target are read from that one descriptor: another user who swaps the link meanwhile changes
// nothing of what was checked.

namespace {

constexpr int maxLinks = 40; // as the kernel allows in one path
// A name that appears between a look that found it missing and its creation.
constexpr int raceLimit = 20;

// A name and the folder it stands in.
struct Place
{
    Descriptor folder;
    QByteArray name;
};

bool walk(int from, const QByteArray &path, Place &place, int &links);

// Follows a link (open with O_PATH) that stands in `folder` to the place it names, when the
// rule lets it be followed: the link belongs to the user, to root or to the folder's owner.
bool follow(const Descriptor &link, int folder, Place &place, int &links)
{
    if (++links > maxLinks) {
        errno = ELOOP;
        return false;
    }
    struct stat linkStat, folderStat;
    if (::fstat(link.get(), &linkStat) != 0 || ::fstat(folder, &folderStat) != 0)
        return false;
    const uid_t owner = linkStat.st_uid;
    if (owner != ::geteuid() && owner != 0 && owner != folderStat.st_uid) {
        errno = EACCES;
        return false;
    }
    char target[PATH_MAX];
    const ssize_t length = ::readlinkat(link.get(), "", target, sizeof target);
    if (length < 0)
        return false;
    if (size_t(length) >= sizeof target) {
        errno = ENAMETOOLONG;
        return false;
    }
    return walk(folder, QByteArray(target, length), place, links);
}

// The folder (O_PATH) that a name in `folder` stands for, a link followed by the rule.
Descriptor enter(int folder, const QByteArray &name, int &links)
{
    Descriptor entry(::openat(folder, name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat st;
    if (!entry || ::fstat(entry.get(), &st) != 0)
        return Descriptor();
    if (S_ISDIR(st.st_mode))
        return entry;
    if (!S_ISLNK(st.st_mode)) {
        errno = ENOTDIR;
        return Descriptor();
    }
    Place place;
    if (!follow(entry, folder, place, links))
        return Descriptor();
    return enter(place.folder.get(), place.name, links);
}

// Follows the path from the folder `from` (AT_FDCWD for the current one) through its folders,
// up to its last name.
bool walk(int from, const QByteArray &path, Place &place, int &links)
{
    if (path.isEmpty()) {
        errno = ENOENT;
        return false;
    }
    Descriptor folder(
        ::openat(from, path.startsWith('/') ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
    QList<QByteArray> names = path.split('/');
    names.removeAll(QByteArray());
    if (names.isEmpty())
        names.append("."); // the root folder itself
    for (qsizetype i = 0; folder && i + 1 < names.size(); ++i)
        folder = enter(folder.get(), names.at(i), links);
    if (!folder)
        return false;
    place = Place{std::move(folder), names.last()};
    return true;
}

int openAt(const Place &place, int flags)
{
    // O_NONBLOCK: opening a FIFO or a device returns at once, to be turned away below.
    return ::openat(place.folder.get(), place.name.constData(),
                    flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
}

// The descriptor when it is a regular file, its reads and writes blocking again.
int regularOnly(Descriptor fd)
{
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        return -1;
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return -1;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return -1;
    return fd.release();
}

} // namespace

int RegularFile::open(const QString &path, int access, Create create)
{
    int links = 0;
    Place place;
    if (!walk(AT_FDCWD, QFile::encodeName(path), place, links))
        return -1;
    bool followed = false;
    for (int races = 0; races < raceLimit;) {
        Descriptor fd(openAt(place, access));
        if (!fd && errno == ENOENT && create == Create::WhenMissing && !followed) {
            fd = Descriptor(openAt(place, access | O_CREAT | O_EXCL));
            if (!fd && errno == EEXIST) { // made meanwhile: taken as it is
                ++races;
                continue;
            }
        }
        if (fd)
            return regularOnly(std::move(fd));
        if (errno != ELOOP)
            return -1;
        // With O_NOFOLLOW, ELOOP says that the name is a symbolic link.
        const Descriptor link(
            ::openat(place.folder.get(), place.name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat st;
        if (!link || ::fstat(link.get(), &st) != 0)
            return -1;
        if (!S_ISLNK(st.st_mode)) { // replaced meanwhile
            ++races;
            continue;
        }
        Place next;
        if (!follow(link, place.folder.get(), next, links))
            return -1;
        place = std::move(next);
        followed = true;
    }
    errno = EAGAIN;
    return -1;
}

bool RegularFile::open(QFile &file, const QString &path, QIODevice::OpenMode mode, Create create)
{
    const int fd = open(path, mode.testFlag(QIODevice::WriteOnly) ? O_RDWR : O_RDONLY, create);
    if (fd < 0)
        return false;
    if (file.open(fd, mode, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}
