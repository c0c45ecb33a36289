#include "main/vocabularydatabase.h"
#include "platform/codepage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestVocabularyDatabase : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_previous;

    void writeDatabase(const QByteArray &content)
    {
        QFile file(QString::fromLatin1(VocabularyDatabase::fileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void cleanupTestCase() { QDir::setCurrent(m_previous); }
    void cleanup() { QFile::remove(QString::fromLatin1(VocabularyDatabase::fileName)); }

    void cutWordLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("stored");
        QTest::newRow("note after second backslash") << "a\\b\\c" << "a\\b";
        QTest::newRow("several backslashes") << "a\\b\\c\\d" << "a\\b";
        QTest::newRow("one backslash stays whole") << "a\\b" << "a\\b";
        QTest::newRow("no backslash stays whole") << "a" << "a";
        QTest::newRow("empty line") << "" << "";
        QTest::newRow("section line never cut") << "#3\\x\\y" << "#3\\x\\y";
        QTest::newRow("blank before hash is a word line") << " #3\\x\\y" << " #3\\x";
    }
    void cutWordLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, stored);
        QCOMPARE(VocabularyDatabase::cutWordLine(line), stored);
    }

    void loadsLinesInPlaceAndDecodesTheCodePage()
    {
        writeDatabase("#1\r\ns\xe4hk\xf6\\electricity\\note\r\nx\r\n#12 \r\n#\r\nlast");
        TextArray lines;
        Load_Database(lines);
        QCOMPARE(lines.upperBound(), 10000);
        QCOMPARE(lines[0], QString());
        QCOMPARE(lines[1], QStringLiteral("#1"));
        QCOMPARE(lines[2], QStringLiteral("s\u00e4hk\u00f6\\electricity"));
        QCOMPARE(lines[3], QStringLiteral("x"));
        QCOMPARE(lines[4], QStringLiteral("#12 ")); // trailing blank kept for the browser to trim
        QCOMPARE(lines[6], QStringLiteral("last")); // a last line without CR LF is read
        QCOMPARE(lines[7], QString());
    }

    void acceptsBareLineFeeds()
    {
        writeDatabase("#1\na\\b\n");
        TextArray lines;
        Load_Database(lines);
        QCOMPARE(lines[2], QStringLiteral("a\\b"));
        QCOMPARE(lines[3], QString());
    }

    void missingOrEmptyFileLeavesEveryLineEmpty()
    {
        TextArray lines;
        lines.dimension(3);
        lines.set(1, QStringLiteral("old"));
        Load_Database(lines);
        QCOMPARE(lines.upperBound(), 10000);
        QCOMPARE(lines[1], QString());

        writeDatabase("");
        Load_Database(lines);
        QCOMPARE(lines[1], QString());
    }

    void keepsOnlyTheFirstTenThousandLines()
    {
        QByteArray content;
        for (int k = 1; k <= 10005; ++k)
            content += "w" + QByteArray::number(k) + "\\r\\note\r\n";
        writeDatabase(content);
        TextArray lines;
        Load_Database(lines);
        QCOMPARE(lines.upperBound(), 10000);
        QCOMPARE(lines[10000], QStringLiteral("w10000\\r"));
        QCOMPARE(lines[10001], QString());
    }

    void reloadReplacesEverything()
    {
        writeDatabase("#1\r\na\\b\r\nc\\d\r\n");
        TextArray lines;
        Load_Database(lines);
        writeDatabase("#2\r\n");
        Load_Database(lines);
        QCOMPARE(lines[1], QStringLiteral("#2"));
        QCOMPARE(lines[2], QString());
    }

    void reloadKeepsEqualLinesAndMendsChangedOnes()
    {
        writeDatabase("#1\r\n\x80uro\\euro\r\nsame\\line\r\n");
        TextArray lines;
        Load_Database(lines);
        QCOMPARE(lines[2], QStringLiteral("\u20acuro\\euro"));
        writeDatabase("#1\r\n\x80uro\\euro\r\nsame\\lime\r\n");
        Load_Database(lines);
        QCOMPARE(lines[2], QStringLiteral("\u20acuro\\euro"));
        QCOMPARE(lines[3], QStringLiteral("same\\lime"));
    }

    void benchmark_data()
    {
        QTest::addColumn<bool>("bundled");
        QTest::addColumn<bool>("reload");
        QTest::newRow("first load of 10000 lines") << false << false;
        QTest::newRow("reload of 10000 unchanged lines") << false << true;
        QTest::newRow("first load of the bundled database") << true << false;
        QTest::newRow("reload of the bundled database") << true << true;
    }
    void benchmark()
    {
        QFETCH(bool, bundled);
        QFETCH(bool, reload);
        QByteArray content;
        if (bundled) {
            QFile file(QStringLiteral(BUNDLED_DATABASE));
            QVERIFY(file.open(QIODevice::ReadOnly));
            content = file.readAll();
        } else {
            for (int k = 1; k <= 10000; ++k)
                content += "s\xe4hk\xf6johto" + QByteArray::number(k)
                           + "\\electric cable\\note\r\n";
        }
        writeDatabase(content);
        TextArray lines;
        QBENCHMARK {
            if (!reload)
                lines = TextArray();
            Load_Database(lines);
        }
        QCOMPARE(lines[1], bundled ? QStringLiteral("#1")
                                   : QStringLiteral("s\u00e4hk\u00f6johto1\\electric cable"));
    }
};

QTEST_GUILESS_MAIN(TestVocabularyDatabase)
#include "tst_vocabularydatabase.moc"
