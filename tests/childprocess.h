#pragma once

#include <QFile>
#include <QStringList>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <functional>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Other processes for the tests of shared files: a forked copy of the test process runs a body
// and ends with what it returns (0 when its checks held). When the tests run as root the copy
// can be a student (accounts that need not exist, sharing one group); it can have a file size
// limit, which fails writes as a full disk does.
namespace ChildProcess {

inline constexpr gid_t studentGroup = 64100;
inline constexpr uid_t firstStudent = 64001;
inline constexpr int self = -1;
inline bool asRoot() { return geteuid() == 0; }

inline pid_t start(const std::function<int()> &body, int student = self,
                   rlim_t fileSizeLimit = RLIM_INFINITY)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    const gid_t groups[] = {studentGroup};
    if (student != self && asRoot() &&
        (setgroups(1, groups) != 0 || setgid(firstStudent + student) != 0 ||
         setuid(firstStudent + student) != 0))
        _exit(254);
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{fileSizeLimit, RLIM_INFINITY};
    if (fileSizeLimit != RLIM_INFINITY)
        setrlimit(RLIMIT_FSIZE, &limit);
    _exit(body()); // none of the test framework's clean-up in the copy
}

// The exit status, or -1 when a signal ended the child.
inline int wait(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A shared installation's folder, which a student may not write in though its files are every
// user's to write: root's with mode 755, its files mode 666. A test not run by root denies
// itself the folder instead, and must give it back (mode 755) before removing it.
inline int denyFolder(const QString &folder, const QStringList &files)
{
    for (const QString &file : files)
        chmod(QFile::encodeName(folder + QLatin1Char('/') + file).constData(), 0666);
    chmod(QFile::encodeName(folder).constData(), asRoot() ? 0755 : 0555);
    return 0; // the student who saves
}

// Rows for a test of both ways a shared file is written, by an account that may write in its
// folder or by one that may not.
inline void addWritingWays()
{
    QTest::addColumn<bool>("inPlace");
    QTest::newRow("replaced whole") << false;
    QTest::newRow("written in place") << true;
}

} // namespace ChildProcess

#define CHILD_CHECK(condition)                                                                     \
    do {                                                                                           \
        if (!(condition))                                                                          \
            return fprintf(stderr, "child: %s failed at line %d\n", #condition, __LINE__), 1;      \
    } while (false)
