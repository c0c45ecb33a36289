#include "childprocess.h"
#include "main/resultsfile.h"
#include "programfixture.h"

#include <csignal>
#include <memory>
#include <random>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString resultsName = QString::fromLatin1(ResultsFile::fileName);
const QByteArray blankLine(1600, ' ');

ResultLineArray loaded()
{
    ResultLineArray lines;
    Load_Results_File(lines);
    return lines;
}

// The n-th entry of a run of saves: the slots of the test lines in turn, each entry with a
// score and a stamp of its own; after the last slot the first is saved again.
void storeEntry(ResultLineArray &lines, int n)
{
    const int slot = n % 1500;
    Store_Result_Entry(lines, 1 + slot / 100, 1 + slot % 100, 1 + n % 100,
                       QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(60 * n));
}

ResultLineArray blankLines()
{
    ResultLineArray lines;
    lines.dimension(30);
    for (int i = 1; i <= 30; ++i)
        lines.set(i, blankLine);
    return lines;
}

QByteArray fileOf(const ResultLineArray &lines) { return TextLines::join(lines.items().mid(1)); }

// Makes the slot of entry n in the file what it is in the expected file.
void acceptEntry(QByteArray &file, const QByteArray &expected, int n)
{
    const qsizetype line = (n % 1500 / 100) * 1602, slot = n % 100;
    file[line + slot] = expected[line + slot];
    for (qsizetype at = line + 100 + 15 * slot; at < line + 115 + 15 * slot; ++at)
        file[at] = expected[at];
}

} // namespace

class TestResultsFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_fixture;

private slots:
    void init()
    {
        m_fixture = std::make_unique<ProgramFixture>();
        QVERIFY(QDir::setCurrent(m_fixture->path(QString())));
    }
    void cleanup()
    {
        chmod(QFile::encodeName(m_fixture->path(QString())).constData(), 0755);
        m_fixture.reset();
    }

    // The file a save finds: the program's folder, which the saving account may write in (the
    // file is then replaced whole) or not (it is then written in place).
    void savingWays_data()
    {
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("replaced whole") << false;
        QTest::newRow("written in place") << true;
    }
    std::optional<ChildProcess::Account> prepareFolder(bool inPlace)
    {
        m_fixture->writeFile(resultsName, ResultsFile::blankFile());
        return inPlace ? ChildProcess::denyFolder(m_fixture->path(QString()), {resultsName})
                       : std::nullopt;
    }

    void missingOrShortFileIsReplaced_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("missing") << false << QByteArray() << true;
        QTest::newRow("empty") << true << QByteArray() << true;
        QTest::newRow("9 bytes") << true << QByteArray("123456789") << true;
        QTest::newRow("10 bytes kept") << true << QByteArray("12345678\r\n") << false;
    }
    void missingOrShortFileIsReplaced()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, content);
        QFETCH(bool, replaced);
        if (exists)
            m_fixture->writeFile(resultsName, content);
        const ResultLineArray lines = loaded();
        QCOMPARE(lines.upperBound(), 30);
        if (replaced) {
            QCOMPARE(m_fixture->readFile(resultsName), (blankLine + "\r\n").repeated(30));
            for (int i = 1; i <= 30; ++i)
                QCOMPARE(lines[i], blankLine);
        } else {
            QCOMPARE(m_fixture->readFile(resultsName), content);
            QCOMPARE(lines[1], QByteArray("12345678"));
            QCOMPARE(lines[2], QByteArray()); // missing lines stay empty, never repaired
        }
    }

    void storeWritesScoreCharacterAndStamp_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("score");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QByteArray>("stamp");
        QTest::newRow("seconds dropped, zeros kept")
            << 2 << 3 << 85 << QDateTime(QDate(2026, 6, 14), QTime(9, 5, 30))
            << QByteArray("06-14-202609:05");
        QTest::newRow("last slot of an exam line, 24-hour clock")
            << 16 << 100 << 96 << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))
            << QByteArray("12-31-202623:59");
    }
    void storeWritesScoreCharacterAndStamp()
    {
        QFETCH(int, line);
        QFETCH(int, slot);
        QFETCH(int, score);
        QFETCH(QDateTime, when);
        QFETCH(QByteArray, stamp);
        ResultLineArray lines = loaded();
        Store_Result_Entry(lines, line, slot, score, when);
        QByteArray expected = blankLine;
        expected[slot - 1] = char(32 + score);
        expected.replace(100 + 15 * (slot - 1), 15, stamp);
        QCOMPARE(lines[line], expected);
        for (int i = 1; i <= 30; ++i)
            if (i != line)
                QCOMPARE(lines[i], blankLine);
    }

    void scoreSurvivesTheFile_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<bool>("passed");
        QTest::newRow("0 is a blank, as never tested") << 0 << false;
        QTest::newRow("79 fails") << 79 << false;
        QTest::newRow("80 passes") << 80 << true;
        QTest::newRow("96 is byte 128, not negative") << 96 << true;
        QTest::newRow("100 is byte 132") << 100 << true;
    }
    void scoreSurvivesTheFile()
    {
        QFETCH(int, score);
        QFETCH(bool, passed);
        ResultLineArray lines = loaded();
        Store_Result_Entry(lines, 1, 1, score);
        QVERIFY(Save_Results_File(lines));
        const QByteArray content = m_fixture->readFile(resultsName);
        QCOMPARE(content.size(), 48060);
        QCOMPARE(uchar(content.at(0)), uchar(32 + score));
        const ResultLineArray again = loaded();
        QCOMPARE(again.items(), lines.items());
        QCOMPARE(ResultsFile::scoreOf(again[1].at(0)), score);
        QCOMPARE(ResultsFile::isPassed(again[1].at(0)), passed);
    }

    void shortLinesKeepTheirLength()
    {
        ResultLineArray lines;
        lines.dimension(30);
        lines.set(1, QByteArray(5, ' '));
        lines.set(2, QByteArray(110, ' '));
        const QDateTime when(QDate(2026, 1, 2), QTime(3, 4));
        Store_Result_Entry(lines, 1, 7, 50, when); // past the end: nothing
        Store_Result_Entry(lines, 2, 1, 50, when); // stamp cut at the line's end
        Store_Result_Entry(lines, 3, 1, 50, when); // empty line stays empty
        QCOMPARE(lines[1], QByteArray(5, ' '));
        QCOMPARE(lines[2], 'R' + QByteArray(99, ' ') + "01-02-2026");
        QCOMPARE(lines[3], QByteArray());
    }

    void outOfRangeSlotOrLineChangesNothing_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("slot");
        QTest::newRow("slot 0") << 1 << 0;
        QTest::newRow("slot 101") << 1 << 101;
        QTest::newRow("line 0") << 0 << 1;
        QTest::newRow("line 31") << 31 << 1;
    }
    void outOfRangeSlotOrLineChangesNothing()
    {
        QFETCH(int, line);
        QFETCH(int, slot);
        ResultLineArray lines = loaded();
        const auto before = lines.items();
        Store_Result_Entry(lines, line, slot, 90);
        QCOMPARE(lines.items(), before);
    }

    void saveCutShortByAFullDiskLeavesTheOldFileWhole()
    {
        ResultLineArray lines = loaded();
        Store_Result_Entry(lines, 5, 5, 55);
        QVERIFY(Save_Results_File(lines));
        const QByteArray saved = m_fixture->readFile(resultsName);

        // A file size limit makes every write past 1000 bytes fail, as a full disk would.
        Store_Result_Entry(lines, 6, 6, 65);
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = old;
        tight.rlim_cur = 1000;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        const bool ok = Save_Results_File(lines);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!ok);
        QCOMPARE(m_fixture->readFile(resultsName), saved);
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{resultsName}); // no leftovers
        QCOMPARE(ResultsFile::scoreOf(lines[6].at(5)), 65); // the record stays in memory
        QVERIFY(Save_Results_File(lines));                  // for the next save
        QCOMPARE(ResultsFile::scoreOf(loaded()[6].at(5)), 65);
    }

    void copiesOpenAtOnceKeepEachOthersResults()
    {
        ResultLineArray first = loaded();
        ResultLineArray second = loaded();
        const QDateTime earlier(QDate(2026, 3, 1), QTime(10, 0));
        const QDateTime later(QDate(2026, 3, 1), QTime(11, 0));
        Store_Result_Entry(first, 1, 3, 85, earlier);
        Store_Result_Entry(first, 16, ResultsFile::firstFreeSlot(first[16]), 40, earlier);
        QVERIFY(Save_Results_File(first));
        Store_Result_Entry(second, 1, 4, 90, later);
        Store_Result_Entry(second, 1, 3, 60, later); // the same set tested again: it wins
        Store_Result_Entry(second, 16, ResultsFile::firstFreeSlot(second[16]), 70, later);
        QVERIFY(Save_Results_File(second));

        ResultLineArray expected = loaded();
        expected.set(1, blankLine);
        expected.set(16, blankLine);
        Store_Result_Entry(expected, 1, 3, 60, later);
        Store_Result_Entry(expected, 1, 4, 90, later);
        Store_Result_Entry(expected, 16, 1, 40, earlier);
        Store_Result_Entry(expected, 16, 2, 70, later); // the other copy's exam took slot 1
        QCOMPARE(m_fixture->readFile(resultsName), fileOf(expected));
        QCOMPARE(second.items(), expected.items()); // and the copy now sees the other's results
        QVERIFY(Save_Results_File(first));
        QCOMPARE(first.items(), expected.items());
    }

    void sharedInstallationSaves_data()
    {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<bool>("groupShared");
        QTest::addColumn<bool>("ownedByFirstSaver");
        QTest::addColumn<int>("fileMode");
        QTest::newRow("root's folder 755, file 666") << 0755 << false << false << 0666;
        QTest::newRow("sticky folder, root's file 666") << 01777 << false << false << 0666;
        QTest::newRow("group's folder, root's file 660") << 0775 << true << false << 0660;
        QTest::newRow("group's folder, a student's file 660") << 0775 << true << true << 0660;
    }
    void sharedInstallationSaves()
    {
        QFETCH(int, folderMode);
        QFETCH(bool, groupShared);
        QFETCH(bool, ownedByFirstSaver);
        QFETCH(int, fileMode);
        const bool asRoot = ChildProcess::canSwitchAccount();
        if (!asRoot && QByteArray(QTest::currentDataTag()) != "root's folder 755, file 666")
            QSKIP("needs other accounts: run as root");
        const QByteArray folder = QFile::encodeName(m_fixture->path(QString()));
        const QByteArray file = folder + '/' + ResultsFile::fileName;
        ResultLineArray expected = loaded();
        Store_Result_Entry(expected, 1, 50, 80);
        QVERIFY(Save_Results_File(expected));
        const gid_t group = groupShared ? ChildProcess::studentGroup : 0;
        const uid_t owner = ownedByFirstSaver ? ChildProcess::firstStudent : 0;
        if (asRoot) {
            QCOMPARE(chown(folder.constData(), 0, group), 0);
            QCOMPARE(chown(file.constData(), owner, group), 0);
        }
        QCOMPARE(chmod(file.constData(), mode_t(fileMode)), 0);
        QCOMPARE(chmod(folder.constData(), asRoot ? mode_t(folderMode) : 0555), 0);
        struct stat before;
        QCOMPARE(stat(file.constData(), &before), 0);

        const QDateTime when(QDate(2026, 5, 4), QTime(12, 0));
        for (int saver = 0; saver < 2; ++saver) {
            Store_Result_Entry(expected, 1, 1 + saver, 90 + saver, when);
            QCOMPARE(ChildProcess::run(
                         [saver, &when] {
                             ResultLineArray lines = loaded();
                             CHILD_CHECK(ResultsFile::isPassed(lines[1].at(49)));
                             Store_Result_Entry(lines, 1, 1 + saver, 90 + saver, when);
                             CHILD_CHECK(Save_Results_File(lines));
                             return 0;
                         },
                         ChildProcess::student(saver)),
                     0);
        }
        QCOMPARE(m_fixture->readFile(resultsName), fileOf(expected));
        struct stat after;
        QCOMPARE(stat(file.constData(), &after), 0);
        QCOMPARE(after.st_mode & 07777, mode_t(fileMode));
        // Replaced whole (old file or new after a kill) only by the student who owns it.
        QCOMPARE(after.st_ino != before.st_ino, ownedByFirstSaver);
        if (asRoot) {
            QCOMPARE(after.st_uid, owner);
            QCOMPARE(after.st_gid, group);
        }
    }

    void killedSavesLoseNothing_data() { savingWays_data(); }
    void killedSavesLoseNothing()
    {
        QFETCH(bool, inPlace);
        const std::optional<ChildProcess::Account> account = prepareFolder(inPlace);
        int progress[2];
        QCOMPARE(pipe2(progress, O_NONBLOCK | O_CLOEXEC), 0);
        std::mt19937 random(20260607);
        std::uniform_int_distribution<int> microseconds(0, 2000);
        ResultLineArray expected = blankLines();
        int saved = 0;
        for (int kill = 0; kill < 100; ++kill) {
            const pid_t child = ChildProcess::start(
                [&] {
                    ResultLineArray lines = loaded();
                    for (int n = saved;; ++n) {
                        storeEntry(lines, n);
                        CHILD_CHECK(Save_Results_File(lines));
                        CHILD_CHECK(write(progress[1], &n, sizeof n) == sizeof n);
                    }
                },
                account);
            // Killed at a random moment once it saves in a loop.
            pollfd firstSave{progress[0], POLLIN, 0};
            const int started = poll(&firstSave, 1, 10000);
            usleep(useconds_t(microseconds(random)));
            ::kill(child, SIGKILL);
            QCOMPARE(ChildProcess::wait(child), -1);
            QCOMPARE(started, 1);
            for (int n = 0; read(progress[0], &n, sizeof n) == sizeof n; ++saved)
                storeEntry(expected, n);

            // The entry being saved at the kill may be old, new, or in place half of each.
            QByteArray file = m_fixture->readFile(resultsName);
            QCOMPARE(file.size(), 48060);
            acceptEntry(file, fileOf(expected), saved);
            QCOMPARE(file, fileOf(expected));
        }
        close(progress[0]);
        close(progress[1]);

        ResultLineArray lines = loaded();
        storeEntry(lines, saved);
        QVERIFY(Save_Results_File(lines));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{resultsName});
    }

    void processesSavingAtOnceKeepAll_data() { savingWays_data(); }
    void processesSavingAtOnceKeepAll()
    {
        QFETCH(bool, inPlace);
        const std::optional<ChildProcess::Account> account = prepareFolder(inPlace);
        // Each stores every other entry of the same lines, saving after each.
        const auto saver = [](int first) {
            return [first] {
                ResultLineArray lines = loaded();
                for (int n = first; n < 200; n += 2) {
                    storeEntry(lines, n);
                    CHILD_CHECK(Save_Results_File(lines));
                }
                return 0;
            };
        };
        const pid_t even = ChildProcess::start(saver(0), account);
        const pid_t odd = ChildProcess::start(saver(1), account);
        QCOMPARE(ChildProcess::wait(even), 0);
        QCOMPARE(ChildProcess::wait(odd), 0);
        ResultLineArray expected = blankLines();
        for (int n = 0; n < 200; ++n)
            storeEntry(expected, n);
        QCOMPARE(m_fixture->readFile(resultsName), fileOf(expected));
    }

    void fullDiskAtFirstStartStillRecords()
    {
        const QDateTime when(QDate(2026, 2, 3), QTime(4, 5));
        // Under a file size limit the blank file cannot be written, nor a save.
        QCOMPARE(ChildProcess::run(
                     [&when] {
                         ResultLineArray lines = loaded();
                         CHILD_CHECK(lines.items().mid(1) == QList<QByteArray>(30, blankLine));
                         CHILD_CHECK(QFileInfo(resultsName).size() < 10);
                         Store_Result_Entry(lines, 2, 3, 85, when);
                         CHILD_CHECK(!Save_Results_File(lines));
                         rlimit limit{};
                         getrlimit(RLIMIT_FSIZE, &limit);
                         limit.rlim_cur = limit.rlim_max; // the disk has room again
                         setrlimit(RLIMIT_FSIZE, &limit);
                         CHILD_CHECK(Save_Results_File(lines));
                         return 0;
                     },
                     {}, 1000),
                 0);
        ResultLineArray expected = loaded();
        QCOMPARE(ResultsFile::scoreOf(expected[2].at(2)), 85);
        expected.set(2, blankLine);
        Store_Result_Entry(expected, 2, 3, 85, when);
        QCOMPARE(m_fixture->readFile(resultsName), fileOf(expected));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{resultsName});
    }
};

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
