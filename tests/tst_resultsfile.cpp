#include "main/resultsfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

const QString resultsName = QString::fromLatin1(ResultsFile::fileName);

} // namespace

class TestResultsFile : public QObject
{
    Q_OBJECT

    QTemporaryDir *m_dir = nullptr;
    QString m_previous;

private slots:
    void init()
    {
        m_previous = QDir::currentPath();
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        QDir::setCurrent(m_dir->path());
    }
    void cleanup()
    {
        QDir::setCurrent(m_previous);
        delete m_dir;
    }

    void newFileIsThirtyBlankLines()
    {
        ByteTextArray lines;
        Load_Results_File(lines);
        const QByteArray content = readAll(resultsName);
        QCOMPARE(content.size(), 48060);
        QCOMPARE(content, ResultsFile::blankFile());
        QCOMPARE(lines.upperBound(), 30);
        for (int i = 1; i <= 30; ++i)
            QCOMPARE(lines[i], QByteArray(1600, ' '));
    }

    void shortFileIsReplacedAndTenBytesAreKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("9 bytes replaced") << QByteArray("123456789") << true;
        QTest::newRow("empty replaced") << QByteArray() << true;
        QTest::newRow("10 bytes kept") << QByteArray("12345678\r\n") << false;
    }
    void shortFileIsReplacedAndTenBytesAreKept()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, replaced);
        writeAll(resultsName, content);
        ByteTextArray lines;
        Load_Results_File(lines);
        if (replaced) {
            QCOMPARE(readAll(resultsName).size(), 48060);
        } else {
            QCOMPARE(readAll(resultsName), content);
            QCOMPARE(lines[1], QByteArray("12345678"));
            QCOMPARE(lines[2], QByteArray()); // missing lines stay empty, never repaired
            QCOMPARE(lines.upperBound(), 30);
        }
    }

    void storeWritesScoreCharacterAndStamp()
    {
        ByteTextArray lines;
        Load_Results_File(lines);
        const QDateTime when(QDate(2026, 6, 14), QTime(9, 5, 30));
        Store_Result_Entry(lines, 2, 3, 85, when);
        const QByteArray line = lines[2];
        QCOMPARE(line.size(), 1600);
        QCOMPARE(line.at(2), 'u'); // 32 + 85 = 117
        QCOMPARE(line.mid(130, 15), QByteArray("06-14-202609:05"));
        QCOMPARE(line.left(2), QByteArray("  "));
        QCOMPARE(line.mid(3, 127), QByteArray(127, ' '));
        QCOMPARE(line.mid(145), QByteArray(1600 - 145, ' '));
        for (int i = 1; i <= 30; ++i)
            if (i != 2)
                QCOMPARE(lines[i], QByteArray(1600, ' '));
    }

    void stampDropsTheSeconds()
    {
        const QDateTime when(QDate(2026, 12, 31), QTime(23, 59, 59));
        QCOMPARE(ResultsFile::stamp(when), QByteArray("12-31-202623:59"));
    }

    void fullScoreSurvivesTheFileAsByte132()
    {
        ByteTextArray lines;
        Load_Results_File(lines);
        Store_Result_Entry(lines, 1, 1, 100);
        Store_Result_Entry(lines, 16, 100, 96);
        QVERIFY(Save_Results_File(lines));
        const QByteArray content = readAll(resultsName);
        QCOMPARE(content.size(), 48060);
        QCOMPARE(uchar(content.at(0)), uchar(132));

        ByteTextArray again;
        Load_Results_File(again);
        QCOMPARE(ResultsFile::scoreOf(again[1].at(0)), 100);
        QCOMPARE(ResultsFile::scoreOf(again[16].at(99)), 96);
        QVERIFY(ResultsFile::isPassed(again[1].at(0)));
        QCOMPARE(again[16].mid(ResultsFile::stampStart(100) - 1).size(), 15);
    }

    void passMarkIsEighty()
    {
        QVERIFY(ResultsFile::isPassed(ResultsFile::scoreCharacter(80)));
        QVERIFY(!ResultsFile::isPassed(ResultsFile::scoreCharacter(75)));
        QVERIFY(!ResultsFile::isPassed(' '));
        QVERIFY(ResultsFile::isPassed(ResultsFile::scoreCharacter(100)));
    }

    void shortLinesKeepTheirLength()
    {
        ByteTextArray lines;
        lines.dimension(30);
        lines.set(1, QByteArray(5, ' '));
        lines.set(2, QByteArray(110, ' '));
        const QDateTime when(QDate(2026, 1, 2), QTime(3, 4));
        Store_Result_Entry(lines, 1, 7, 50, when);  // past the end: nothing
        Store_Result_Entry(lines, 2, 1, 50, when);  // stamp cut at the line's end
        Store_Result_Entry(lines, 3, 1, 50, when);  // empty line stays empty
        QCOMPARE(lines[1], QByteArray(5, ' '));
        QCOMPARE(lines[2].size(), 110);
        QCOMPARE(lines[2].at(0), 'R');
        QCOMPARE(lines[2].mid(100), QByteArray("01-02-2026"));
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
        ByteTextArray lines;
        Load_Results_File(lines);
        const auto before = lines.items();
        Store_Result_Entry(lines, line, slot, 90);
        QCOMPARE(lines.items(), before);
    }

    void saveCutShortByAFullDiskLeavesTheOldFileWhole()
    {
        ByteTextArray lines;
        Load_Results_File(lines);
        Store_Result_Entry(lines, 5, 5, 55);
        QVERIFY(Save_Results_File(lines));
        const QByteArray saved = readAll(resultsName);

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
        QCOMPARE(readAll(resultsName), saved);
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{resultsName}); // no leftovers
        QCOMPARE(ResultsFile::scoreOf(lines[6].at(5)), 65); // the record stays in memory
    }
};

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
