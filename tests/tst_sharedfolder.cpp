#include "childprocess.h"
#include "login/userlist.h"
#include "main/resultsfile.h"
#include "main/vocabularydatabase.h"

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>

// Hostile things under the program's file names in a folder that others may write in. Each file
// is read and written as the program does, by a child that an alarm ends if it hangs: either
// through to the file that the name stands for, or finding nothing there and writing nothing.
namespace {

// Each use checks what it read and whether its write was reported done.
bool useResults(bool reaches)
{
    ResultLineArray lines;
    Load_Results_File(lines);
    Store_Result_Entry(lines, 1, 2, 90, QDateTime(QDate(2026, 5, 4), QTime(12, 0)));
    return lines.at(1).at(0) == (reaches ? 'p' : ' ') && Save_Results_File(lines) == reaches;
}
bool useUserList(bool reaches)
{
    return UserList::load() == (reaches ? QStringList{"Anna"} : QStringList()) &&
           UserList::append(QStringLiteral("Ben")) == reaches;
}
bool useUserFile(bool reaches) { return UserFile::write(2) == reaches; }
bool useDatabase(bool reaches)
{
    TextArray lines;
    Load_Database(lines);
    return lines.at(1) == QLatin1String(reaches ? "#1" : "");
}

// A file, what it holds before a use and after a use that reached it, and the use.
struct Kind
{
    const char *name;
    QByteArray before, after;
    bool (*use)(bool reaches);
};
const QByteArray results = 'p' + ResultsFile::blankFile().mid(1);
const Kind kinds[] = {
    {"KTresults.txt", results,
     QByteArray(results).replace(1, 1, "z").replace(115, 15, "05-04-202612:00"), useResults},
    {"Users.txt", "Anna\r\n", "Anna\r\nBen\r\n", useUserList},
    {"User 2.txt", "Anna\r\n", UserFile::content(), useUserFile},
    {"Kielo Opinto Voc.db", "#1\r\na\\b\r\n#\r\n", "#1\r\na\\b\r\n#\r\n", useDatabase},
};

enum Layout
{
    ReadOnlyFifo,
    ForeignLink,
    DanglingLink,
    RootsLink,
    StickyFolder
};
const char *const layouts[] = {"FIFO the user may only read", "another student's link to my file",
                               "dangling link", "root's link",
                               "sticky folder, another student's file"};

bool writeFile(const QByteArray &path, const QByteArray &content, uid_t owner, mode_t mode)
{
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           (!ChildProcess::asRoot() || chown(path, owner, owner) == 0) && chmod(path, mode) == 0;
}

bool setProtectedRegular(const QByteArray &value)
{
    QFile setting(QStringLiteral("/proc/sys/fs/protected_regular"));
    return setting.open(QIODevice::WriteOnly) && setting.write(value) == value.size();
}

} // namespace

class TestSharedFolder : public QObject
{
    Q_OBJECT

private slots:
    void hostileLayouts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("layout");
        for (int kind = 0; kind < int(std::size(kinds)); ++kind)
            for (int layout = ReadOnlyFifo; layout <= StickyFolder; ++layout)
                QTest::addRow("%s: %s", kinds[kind].name, layouts[layout]) << kind << layout;
    }
    void hostileLayouts()
    {
        QFETCH(int, kind);
        QFETCH(int, layout);
        const Kind &file = kinds[kind];
        const bool reaches = layout == RootsLink || layout == StickyFolder;
        const bool asRoot = ChildProcess::asRoot();
        if (!asRoot && (layout == ForeignLink || layout == StickyFolder))
            QSKIP("needs other accounts: run as root");
        QFile setting(QStringLiteral("/proc/sys/fs/protected_regular"));
        const QByteArray protectedRegular =
            setting.open(QIODevice::ReadOnly) ? setting.readAll().trimmed() : QByteArray();
        if (layout == StickyFolder && (protectedRegular.isEmpty() || !setProtectedRegular("2")))
            QSKIP("needs fs.protected_regular set to 2, Debian's own setting: /proc/sys is "
                  "read-only here");
        const auto restore = qScopeGuard([&] {
            if (layout == StickyFolder)
                setProtectedRegular(protectedRegular);
        });

        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path()), elsewhere = folder + "/elsewhere",
                         name = folder + '/' + file.name, target = elsewhere + "/target";
        const uid_t me = ChildProcess::firstStudent, other = me + 1;
        mode_t folderMode = 0755, elsewhereMode = 0755;
        QCOMPARE(mkdir(elsewhere, 0755), 0);
        switch (layout) {
        case ReadOnlyFifo: // a reader of a FIFO waits for a writer
            QVERIFY(mkfifo(name, 0444) == 0 && chmod(name, 0444) == 0);
            break;
        case ForeignLink: // in a group's folder, as a shared installation has it
            QVERIFY(writeFile(target, file.before, me, 0600) && chown(elsewhere, me, me) == 0);
            QVERIFY(symlink("elsewhere/target", name) == 0 &&
                    lchown(name, other, ChildProcess::studentGroup) == 0 &&
                    chown(folder, 0, ChildProcess::studentGroup) == 0);
            folderMode = 02775;
            elsewhereMode = 0700;
            break;
        case DanglingLink:
            QCOMPARE(symlink("elsewhere/target", name), 0);
            break;
        case RootsLink: // root's folder, the link's target every user's to write
            QVERIFY(writeFile(target, file.before, 0, 0666) &&
                    symlink("elsewhere/target", name) == 0);
            break;
        case StickyFolder:
            QVERIFY(writeFile(name, file.before, other, 0666));
            folderMode = 01777;
        }
        QVERIFY(chmod(elsewhere, elsewhereMode) == 0 && chmod(folder, folderMode) == 0);

        // The user is a student, or whoever runs the test; a dangling link is the user's own.
        const int user = asRoot && layout != DanglingLink ? 0 : ChildProcess::self;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const int status = ChildProcess::wait(ChildProcess::start(
            [&] {
                alarm(20);
                return file.use(reaches) ? 0 : 1;
            },
            user));
        QDir::setCurrent(previous);
        chmod(folder, 0755);
        QCOMPARE(status, 0);

        struct stat st;
        QCOMPARE(lstat(name, &st), 0);
        if (layout == ReadOnlyFifo) {
            QVERIFY(S_ISFIFO(st.st_mode));
        } else if (layout == DanglingLink) {
            QVERIFY(!QFile::exists(QFile::decodeName(target))); // never created at the link's end
        } else {
            QFile reached(QFile::decodeName(layout == StickyFolder ? name : target));
            QVERIFY(reached.open(QIODevice::ReadOnly));
            QCOMPARE(reached.readAll(), reaches ? file.after : file.before);
            QCOMPARE(S_ISLNK(st.st_mode), layout != StickyFolder);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 1); // nothing new
    }
};

QTEST_GUILESS_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"
