#pragma once

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Another process for the tests of shared files: a forked copy of the test process that runs
// one body and ends, optionally as another account and under a file size limit. The body
// returns 0 when its checks held; a failed check names itself and returns 1.
namespace ChildProcess {

// An account for a child of a test run by root; a test run by another user keeps its own.
struct Account
{
    uid_t uid;
    gid_t gid;
    std::vector<gid_t> groups;
};

inline bool canSwitchAccount() { return geteuid() == 0; }

// Students of one class, who share a group; the accounts need not exist.
inline constexpr gid_t studentGroup = 64100;
inline constexpr uid_t firstStudent = 64001;
inline Account student(int n) { return {firstStudent + n, firstStudent + n, {studentGroup}}; }

// A shared installation's folder, which a student may not write in though its files are every
// user's to write: root's, mode 755, its files mode 666, and the child a student. A test not
// run by root denies itself the folder instead, and must give it back (mode 755) before
// removing it. Gives the account the child runs as.
inline std::optional<Account> denyFolder(const QString &folder, const QStringList &files)
{
    for (const QString &file : files)
        chmod(QFile::encodeName(folder + QLatin1Char('/') + file).constData(), 0666);
    const bool asRoot = canSwitchAccount();
    chmod(QFile::encodeName(folder).constData(), asRoot ? 0755 : 0555);
    if (asRoot)
        return student(0);
    return std::nullopt;
}

inline pid_t start(const std::function<int()> &body, const std::optional<Account> &account = {},
                   rlim_t fileSizeLimit = RLIM_INFINITY)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    if (account && canSwitchAccount() &&
        (setgroups(account->groups.size(), account->groups.data()) != 0 ||
         setgid(account->gid) != 0 || setuid(account->uid) != 0))
        _exit(254);
    if (fileSizeLimit != RLIM_INFINITY) {
        signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the child
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = fileSizeLimit;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    _exit(body()); // no test framework clean-up in the copy
}

// The child's exit status, or -1 when a signal ended it.
inline int wait(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline int run(const std::function<int()> &body, const std::optional<Account> &account = {},
               rlim_t fileSizeLimit = RLIM_INFINITY)
{
    return wait(start(body, account, fileSizeLimit));
}

} // namespace ChildProcess

#define CHILD_CHECK(condition)                                                                     \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            fprintf(stderr, "child: %s failed at line %d\n", #condition, __LINE__);                \
            return 1;                                                                              \
        }                                                                                          \
    } while (false)
