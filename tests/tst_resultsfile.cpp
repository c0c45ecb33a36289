#include "main/resultsfile.h"
#include "programfixture.h"

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

const QString resultsName = QString::fromLatin1(ResultsFile::fileName);
const QByteArray blankLine(1600, ' ');

ResultLineArray loaded()
{
    ResultLineArray lines;
    Load_Results_File(lines);
    return lines;
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
    void cleanup() { m_fixture.reset(); }

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
    }
};

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
