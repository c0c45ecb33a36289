#include "childprocess.h"
#include "login/userlist.h"
#include "main/resultsfile.h"
#include "main/vocabularydatabase.h"

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>

// Hostile things under the program's file names in a folder that others may write in: each file
// is read and written as the program does, by a child that an alarm ends if it hangs.
namespace {

const QStringList kinds{"results file", "user list", "user file", "database"};

QString fileName(const QString &kind)
{
    if (kind == QLatin1String("results file"))
        return QString::fromLatin1(ResultsFile::fileName);
    if (kind == QLatin1String("user list"))
        return QString::fromLatin1(UserList::fileName);
    if (kind == QLatin1String("user file"))
        return UserFile::fileName(2);
    return QString::fromLatin1(VocabularyDatabase::fileName);
}

// What a file holds before the program uses it, and after a use that reached it.
QByteArray before(const QString &kind)
{
    if (kind == QLatin1String("results file"))
        return 'p' + ResultsFile::blankFile().mid(1);
    if (kind == QLatin1String("database"))
        return "#1\r\na\\b\r\n#\r\n";
    return "Anna\r\n";
}
QByteArray after(const QString &kind)
{
    if (kind == QLatin1String("results file")) {
        QByteArray file = before(kind);
        file[1] = 'z';
        return file.replace(115, 15, "05-04-202612:00");
    }
    if (kind == QLatin1String("user list"))
        return "Anna\r\nBen\r\n";
    if (kind == QLatin1String("user file"))
        return UserFile::content();
    return before(kind);
}

// Reads and writes the file as the program does; `reaches` says whether that should reach the
// file that the name stands for, or find nothing there and write nothing.
int use(const QString &kind, bool reaches)
{
    alarm(20);
    if (kind == QLatin1String("results file")) {
        ResultLineArray lines;
        Load_Results_File(lines);
        CHILD_CHECK(lines.at(1).left(1) == (reaches ? "p" : " "));
        Store_Result_Entry(lines, 1, 2, 90, QDateTime(QDate(2026, 5, 4), QTime(12, 0)));
        CHILD_CHECK(Save_Results_File(lines) == reaches);
    } else if (kind == QLatin1String("user list")) {
        CHILD_CHECK(UserList::load() == (reaches ? QStringList{"Anna"} : QStringList()));
        CHILD_CHECK(UserList::append(QStringLiteral("Ben")) == reaches);
    } else if (kind == QLatin1String("user file")) {
        CHILD_CHECK(UserFile::write(2) == reaches);
    } else {
        TextArray lines;
        Load_Database(lines);
        CHILD_CHECK(lines.at(1) == QLatin1String(reaches ? "#1" : ""));
    }
    return 0;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
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
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("reaches");
        const QList<std::pair<const char *, bool>> layouts{
            {"FIFO", false},
            {"another student's link to my file", false},
            {"dangling link", false},
            {"root's link", true},
            {"sticky folder, another student's file", true},
        };
        for (const QString &kind : kinds)
            for (const auto &[layout, reaches] : layouts)
                QTest::addRow("%s: %s", qPrintable(kind), layout)
                    << kind << QString::fromLatin1(layout) << reaches;
    }
    void hostileLayouts()
    {
        QFETCH(QString, kind);
        QFETCH(QString, layout);
        QFETCH(bool, reaches);
        const bool asRoot = ChildProcess::asRoot();
        const bool foreign = layout.startsWith(QLatin1String("another")),
                   sticky = layout.startsWith(QLatin1String("sticky"));
        if (!asRoot && (foreign || sticky))
            QSKIP("needs other accounts: run as root");
        QByteArray protectedRegular;
        if (sticky) {
            QFile setting(QStringLiteral("/proc/sys/fs/protected_regular"));
            if (!setting.open(QIODevice::ReadOnly) ||
                (protectedRegular = setting.readAll().trimmed()).isEmpty() ||
                !setProtectedRegular("2"))
                QSKIP("needs fs.protected_regular set to 2 (Debian's own setting): /proc/sys is "
                      "read-only here");
        }
        const auto restore = qScopeGuard([&] {
            if (!protectedRegular.isEmpty())
                setProtectedRegular(protectedRegular);
        });

        QTemporaryDir dir;
        const QString folder = dir.path(), name = dir.filePath(fileName(kind)),
                      elsewhere = dir.filePath(QStringLiteral("elsewhere"));
        const QByteArray nameBytes = QFile::encodeName(name);
        const uid_t me = ChildProcess::firstStudent, other = me + 1;
        const gid_t students = ChildProcess::studentGroup;
        QVERIFY(QDir().mkdir(elsewhere));
        const QString target = elsewhere + QStringLiteral("/target");
        const auto makeTarget = [&](uid_t owner, mode_t mode) {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before(kind)) > 0);
            QVERIFY(!asRoot || chown(QFile::encodeName(target), owner, owner) == 0);
            QVERIFY(chmod(QFile::encodeName(target), mode) == 0);
        };
        int user = ChildProcess::self;
        if (layout == QLatin1String("FIFO")) { // one the user may only read: a reader waits
            QVERIFY(mkfifo(nameBytes, 0444) == 0 && chmod(nameBytes, 0444) == 0);
            QVERIFY(chmod(QFile::encodeName(folder), 0755) == 0);
            user = asRoot ? 0 : ChildProcess::self;
        } else if (foreign) { // a group's folder, as a shared installation has it
            makeTarget(me, 0600);
            QVERIFY(chown(QFile::encodeName(elsewhere), me, me) == 0 &&
                    chmod(QFile::encodeName(elsewhere), 0700) == 0);
            QVERIFY(QFile::link(QStringLiteral("elsewhere/target"), name));
            QVERIFY(lchown(nameBytes, other, students) == 0);
            QVERIFY(chown(QFile::encodeName(folder), 0, students) == 0 &&
                    chmod(QFile::encodeName(folder), 02775) == 0);
            user = 0;
        } else if (layout == QLatin1String("dangling link")) {
            QVERIFY(QFile::link(QStringLiteral("elsewhere/target"), name));
        } else if (sticky) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before(kind)) > 0);
            QVERIFY(chown(nameBytes, other, other) == 0 && chmod(nameBytes, 0666) == 0);
            QVERIFY(chmod(QFile::encodeName(folder), 01777) == 0);
            user = 0;
        } else { // root's link in root's folder, to a file every user may write
            makeTarget(0, 0666);
            QVERIFY(QFile::link(QStringLiteral("elsewhere/target"), name));
            QVERIFY(chmod(QFile::encodeName(folder), 0755) == 0);
            user = asRoot ? 0 : ChildProcess::self;
        }
        QVERIFY(chmod(QFile::encodeName(elsewhere), foreign ? 0700 : 0755) == 0);

        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder));
        const int status =
            ChildProcess::wait(ChildProcess::start([&] { return use(kind, reaches); }, user));
        QDir::setCurrent(previous);
        chmod(QFile::encodeName(folder), 0755);
        QCOMPARE(status, 0);

        struct stat st;
        if (layout == QLatin1String("FIFO")) {
            QVERIFY(lstat(nameBytes, &st) == 0 && S_ISFIFO(st.st_mode));
        } else if (layout == QLatin1String("dangling link")) {
            QVERIFY(!QFile::exists(target)); // never created where the link points
        } else {
            const QString reached = sticky ? name : target;
            QCOMPARE(readAll(reached), reaches ? after(kind) : before(kind));
            QVERIFY(lstat(nameBytes, &st) == 0 && S_ISLNK(st.st_mode) == !sticky);
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::System).size(), 1); // nothing new
    }
};

QTEST_GUILESS_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"
