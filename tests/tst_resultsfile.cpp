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

// The n-th entry of a run of saves: the slots of the test lines in turn (the first again after
// the last), each entry with a score and a stamp of its own.
int slotOf(int n) { return n % 1500; }
void storeEntry(ResultLineArray &lines, int n)
{
    Store_Result_Entry(lines, 1 + slotOf(n) / 100, 1 + slotOf(n) % 100, 1 + n % 100,
                       QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(60 * n));
}

QByteArray fileOf(const ResultLineArray &lines) { return TextLines::join(lines.items().mid(1)); }

// Gives the file's slot of entry n what the expected file holds there.
void acceptSlot(QByteArray &file, const QByteArray &expected, int n)
{
    const qsizetype line = slotOf(n) / 100 * 1602, slot = slotOf(n) % 100;
    file[line + slot] = expected[line + slot];
    file.replace(line + 100 + 15 * slot, 15, expected.mid(line + 100 + 15 * slot, 15));
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

    // A line too short for an entry is lengthened with blanks, so the entry lands whole; a line
    // long enough keeps its length.
    void shortLinesAreLengthenedForAnEntry()
    {
        ResultLineArray lines;
        lines.dimension(30);
        lines.set(1, QByteArray(5, ' '));
        lines.set(2, QByteArray(110, ' '));
        lines.set(4, QByteArray(115, ' '));
        const QDateTime when(QDate(2026, 1, 2), QTime(3, 4));
        for (int line : {1, 2, 3, 4})
            Store_Result_Entry(lines, line, line == 1 ? 7 : 1, 50, when);
        QByteArray seventh = blankLine, first = blankLine;
        seventh[6] = 'R';
        seventh.replace(190, 15, "01-02-202603:04");
        first[0] = 'R';
        first.replace(100, 15, "01-02-202603:04");
        QCOMPARE(lines[1], seventh);
        QCOMPARE(lines[2], first);
        QCOMPARE(lines[3], first); // an empty line too
        QCOMPARE(lines[4], first.left(115));
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

    // A file size limit makes every write past 1000 bytes fail, as a full disk would.
    void fullDiskKeepsFileAndResult_data()
    {
        QTest::addColumn<bool>("firstStart");
        QTest::newRow("no file yet") << true;
        QTest::newRow("saved file") << false;
    }
    void fullDiskKeepsFileAndResult()
    {
        QFETCH(bool, firstStart);
        ResultLineArray expected = loaded();
        Store_Result_Entry(expected, 5, 5, 55);
        QVERIFY(Save_Results_File(expected) && (!firstStart || QFile::remove(resultsName)));
        const QByteArray before = m_fixture->readFile(resultsName);
        const QDateTime when(QDate(2026, 2, 3), QTime(4, 5));
        const auto run = [&] {
            ResultLineArray lines = loaded(); // a blank file that cannot be written: blank lines
            CHILD_CHECK(fileOf(lines) == (firstStart ? ResultsFile::blankFile() : before));
            Store_Result_Entry(lines, 6, 6, 65, when);
            CHILD_CHECK(!Save_Results_File(lines) && m_fixture->readFile(resultsName) == before);
            const rlimit room{RLIM_INFINITY, RLIM_INFINITY};
            setrlimit(RLIMIT_FSIZE, &room); // the next save writes the result
            return Save_Results_File(lines) ? 0 : 1;
        };
        QCOMPARE(ChildProcess::wait(ChildProcess::start(run, ChildProcess::self, 1000)), 0);
        if (firstStart)
            expected.set(5, blankLine);
        Store_Result_Entry(expected, 6, 6, 65, when);
        QCOMPARE(m_fixture->readFile(resultsName), fileOf(expected));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{resultsName}); // no leftovers
    }

    void copiesOpenAtOnceKeepEachOthersResults()
    {
        ResultLineArray first = loaded(), second = loaded(), expected = loaded();
        const QDateTime earlier(QDate(2026, 3, 1), QTime(10, 0)), later = earlier.addSecs(60);
        Store_Result_Entry(first, 1, 3, 85, earlier);
        Store_Result_Entry(first, 16, ResultsFile::firstFreeSlot(first[16]), 40, earlier);
        QVERIFY(Save_Results_File(first));
        Store_Result_Entry(second, 1, 4, 90, later);
        Store_Result_Entry(second, 1, 3, 60, later); // the same set tested later wins
        Store_Result_Entry(second, 16, ResultsFile::firstFreeSlot(second[16]), 70, later);
        QVERIFY(Save_Results_File(second));
        Store_Result_Entry(expected, 1, 3, 60, later);
        Store_Result_Entry(expected, 1, 4, 90, later);
        Store_Result_Entry(expected, 16, 1, 40, earlier);
        Store_Result_Entry(expected, 16, 2, 70, later); // the first copy's exam took slot 1
        QCOMPARE(m_fixture->readFile(resultsName), fileOf(expected));
        QCOMPARE(second.items(), expected.items()); // each copy sees the other's results
        QVERIFY(Save_Results_File(first));
        QCOMPARE(first.items(), expected.items());
    }

    // Copy A and copy B of the program load the file; A stores an exam and saves (when the row
    // has one), then B stores its own in the slot it found free and saves, its first write cut
    // off by a file size limit when the row has one, and retries. B writes in place, where a
    // write can be cut short.
    void examSlotCases_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("scoreOfA");  // -1: A stores nothing
        QTest::addColumn<qint64>("tornAt"); // B's file size limit at its first save, 0 for none
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("refused");
        const QByteArray stamp = "03-01-202610:00", exam = 'f' + stamp; // 70 points
        const qsizetype line16 = 15 * 1602;
        const auto withExam = [&](QByteArray file, qsizetype lineStart, int slot) {
            file[lineStart + slot - 1] = 'f';
            return file.replace(lineStart + 100 + 15 * (slot - 1), 15, stamp);
        };
        const QByteArray blank = ResultsFile::blankFile();
        QByteArray full = blank;
        for (int slot = 1; slot <= 99; ++slot)
            full = withExam(full, line16, slot);
        QTest::newRow("full line: B's exam finds A's in the last slot")
            << full << 70 << qint64(0) << withExam(full, line16, 100) << true;
        QTest::newRow("identical exams are two exams")
            << blank << 70 << qint64(0) << withExam(withExam(blank, line16, 1), line16, 2) << false;
        // Trailing blanks stripped: an exam line ends after its two stamps, the others are empty
        // or hold one score. The save makes every line whole at once.
        QList<QByteArray> stripped(30);
        stripped[0] = "p";
        stripped[15] = "ff" + QByteArray(98, ' ') + stamp + stamp;
        QByteArray whole = blank;
        whole[0] = 'p';
        QTest::newRow("lines cut short")
            << TextLines::join(stripped) << -1 << qint64(0)
            << withExam(withExam(withExam(whole, line16, 1), line16, 2), line16, 3) << false;
        QTest::newRow("write torn after the score character, then retried")
            << blank << -1 << qint64(line16 + 1) << withExam(blank, line16, 1) << false;
    }
    void examSlotCases()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, scoreOfA);
        QFETCH(qint64, tornAt);
        QFETCH(QByteArray, expected);
        QFETCH(bool, refused);
        m_fixture->writeFile(resultsName, file);
        const QDateTime when(QDate(2026, 3, 1), QTime(10, 0));
        ResultLineArray copyA = loaded(), copyB = loaded();
        if (scoreOfA >= 0) {
            Store_Result_Entry(copyA, 16, ResultsFile::firstFreeSlot(copyA[16]), scoreOfA, when);
            QVERIFY(Save_Results_File(copyA));
        }
        const QByteArray beforeB = m_fixture->readFile(resultsName);
        const auto saveB = [&] {
            Store_Result_Entry(copyB, 16, ResultsFile::firstFreeSlot(copyB[16]), 70, when);
            if (tornAt) {
                CHILD_CHECK(!Save_Results_File(copyB));
                CHILD_CHECK(m_fixture->readFile(resultsName) == beforeB); // nothing half written
                const rlimit room{RLIM_INFINITY, RLIM_INFINITY};
                setrlimit(RLIMIT_FSIZE, &room);
            }
            CHILD_CHECK(Save_Results_File(copyB) == !refused);
            CHILD_CHECK(copyB.refused.size() == (refused ? 1 : 0) && copyB.unsaved.isEmpty());
            CHILD_CHECK(fileOf(copyB) == m_fixture->readFile(resultsName)); // B sees the file
            return 0;
        };
        const int student = ChildProcess::denyFolder(m_fixture->path(QString()), {resultsName});
        QCOMPARE(ChildProcess::wait(
                     ChildProcess::start(saveB, student, tornAt ? rlim_t(tornAt) : RLIM_INFINITY)),
                 0);
        QCOMPARE(m_fixture->readFile(resultsName), expected);
    }

    // Two students save in turn; the file keeps its owner, group and mode.
    void sharedInstallationSaves_data()
    {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("group");
        QTest::addColumn<int>("fileMode");
        const uint students = ChildProcess::studentGroup, student = ChildProcess::firstStudent;
        QTest::newRow("root's folder 755, file 666") << 0755 << 0u << 0u << 0666;
        QTest::newRow("sticky folder, root's file 666") << 01777 << 0u << 0u << 0666;
        QTest::newRow("group's folder, root's file 660") << 0775 << 0u << students << 0660;
        QTest::newRow("group's folder, a student's file") << 0775 << student << students << 0660;
    }
    void sharedInstallationSaves()
    {
        QFETCH(int, folderMode);
        QFETCH(uint, owner);
        QFETCH(uint, group);
        QFETCH(int, fileMode);
        const bool asRoot = ChildProcess::asRoot();
        if (!asRoot && fileMode != 0666)
            QSKIP("needs other accounts: run as root");
        const QByteArray folder = QFile::encodeName(m_fixture->path(QString()));
        const QByteArray file = folder + '/' + ResultsFile::fileName;
        ResultLineArray expected = loaded();
        QVERIFY(!asRoot || (chown(folder, 0, group) == 0 && chown(file, owner, group) == 0));
        QVERIFY(chmod(file, fileMode) == 0 && chmod(folder, asRoot ? folderMode : 0555) == 0);
        struct stat before, after;
        QCOMPARE(stat(file, &before), 0);
        const QDateTime when(QDate(2026, 5, 4), QTime(12, 0));
        for (int student = 0; student < 2; ++student) {
            Store_Result_Entry(expected, 1, 1 + student, 90, when);
            const auto save = [&] { // seeing what the other student saved
                ResultLineArray lines = loaded();
                Store_Result_Entry(lines, 1, 1 + student, 90, when);
                return lines.items() == expected.items() && Save_Results_File(lines) ? 0 : 1;
            };
            QCOMPARE(ChildProcess::wait(ChildProcess::start(save, student)), 0);
        }
        QCOMPARE(m_fixture->readFile(resultsName), fileOf(expected));
        QCOMPARE(stat(file, &after), 0);
        QVERIFY(!asRoot || (after.st_uid == owner && after.st_gid == group));
        QCOMPARE(after.st_mode & 07777, mode_t(fileMode));
        // Only the student who owns the file replaces it whole (old or new after a kill).
        QCOMPARE(after.st_ino != before.st_ino, owner != 0);
    }

    // Two processes save at once, each every other entry, and are killed at random moments:
    // every entry they saved is in the file, and the one being saved at a kill is lost at worst.
    void processesSavingAtOnceAndKilledLoseNothing_data() { ChildProcess::addWritingWays(); }
    void processesSavingAtOnceAndKilledLoseNothing()
    {
        QFETCH(bool, inPlace);
        m_fixture->writeFile(resultsName, ResultsFile::blankFile());
        const int saver = inPlace
                              ? ChildProcess::denyFolder(m_fixture->path(QString()), {resultsName})
                              : ChildProcess::self;
        int saved[2];
        QCOMPARE(pipe2(saved, O_NONBLOCK | O_CLOEXEC), 0);
        const auto closePipe = qScopeGuard([&saved] {
            close(saved[0]);
            close(saved[1]);
        });
        ResultLineArray expected = loaded();
        int next[2] = {0, 1};
        const auto takeSaved = [&] {
            int seen = 0;
            for (int n = 0; read(saved[0], &n, sizeof n) == sizeof n; next[n % 2] = n + 2) {
                storeEntry(expected, n);
                seen |= 1 << n % 2;
            }
            return seen;
        };
        std::mt19937 random(20260607);
        for (int round = 0; round < 50; ++round) {
            pid_t children[2];
            for (int parity : {0, 1})
                children[parity] = ChildProcess::start(
                    [&, parity] {
                        ResultLineArray lines = loaded();
                        for (int n = next[parity];; n += 2) {
                            storeEntry(lines, n);
                            CHILD_CHECK(Save_Results_File(lines));
                            CHILD_CHECK(write(saved[1], &n, sizeof n) == sizeof n);
                        }
                    },
                    saver);
            pollfd savedOne{saved[0], POLLIN, 0};
            const QDeadlineTimer bothSaving(10000);
            for (int seen = 0;
                 seen != 3 && poll(&savedOne, 1, int(bothSaving.remainingTime())) == 1;)
                seen |= takeSaved();
            usleep(std::uniform_int_distribution<useconds_t>(0, 2000)(random));
            ::kill(children[0], SIGKILL);
            ::kill(children[1], SIGKILL);
            QCOMPARE(ChildProcess::wait(children[0]) + ChildProcess::wait(children[1]), -2);
            takeSaved();
            QByteArray file = m_fixture->readFile(resultsName);
            QCOMPARE(file.size(), 48060);
            for (int n : next) // the entries being saved: old, new, or in place half of each
                acceptSlot(file, fileOf(expected), n);
            QCOMPARE(file, fileOf(expected));
        }
        ResultLineArray lines = loaded();
        storeEntry(lines, next[0]);
        QVERIFY(Save_Results_File(lines));
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{resultsName}); // no copy left behind
    }
};

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
