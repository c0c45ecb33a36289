#include "main/vocabularydatabase.h"
#include "programfixture.h"

#include <memory>

class TestVocabularyDatabase : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_fixture;

    void writeDatabase(const QByteArray &content)
    {
        m_fixture->writeFile(QString::fromLatin1(VocabularyDatabase::fileName), content);
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<ProgramFixture>();
        QVERIFY(QDir::setCurrent(m_fixture->path(QString())));
    }
    void cleanup() { m_fixture.reset(); }

    void cutWordLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("stored");
        QTest::newRow("note after second backslash") << "a\\b\\c"
                                                     << "a\\b";
        QTest::newRow("several backslashes") << "a\\b\\c\\d"
                                             << "a\\b";
        QTest::newRow("one backslash stays whole") << "a\\b"
                                                   << "a\\b";
        QTest::newRow("no backslash stays whole") << "a"
                                                  << "a";
        QTest::newRow("empty line") << ""
                                    << "";
        QTest::newRow("section line never cut") << "#3\\x\\y"
                                                << "#3\\x\\y";
        QTest::newRow("blank before hash is a word line") << " #3\\x\\y"
                                                          << " #3\\x";
    }
    void cutWordLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, stored);
        QCOMPARE(VocabularyDatabase::cutWordLine(line), stored);
    }

    // Loads `before` (if any), then the file as it is now (or missing): lines 1 to 10000 hold
    // exactly `lines`, the rest empty.
    void load_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("code page, notes cut, blanks kept, last line without CR LF")
            << QByteArray() << true
            << QByteArray("#1\r\ns\xe4hk\xf6\\electricity\\note\r\nx\r\n#12 \r\n#\r\nlast")
            << QStringList{"#1", "s\u00e4hk\u00f6\\electricity", "x", "#12 ", "#", "last"};
        QTest::newRow("bare line feeds")
            << QByteArray() << true << QByteArray("#1\na\\b\n") << QStringList{"#1", "a\\b"};
        QTest::newRow("missing file") << QByteArray() << false << QByteArray() << QStringList();
        QTest::newRow("missing file after a load")
            << QByteArray("#1\r\nold\r\n") << false << QByteArray() << QStringList();
        QTest::newRow("empty file after a load")
            << QByteArray("#1\r\nold\r\n") << true << QByteArray() << QStringList();
        QTest::newRow("shorter reload clears the rest")
            << QByteArray("#1\r\na\\b\r\nc\\d\r\n") << true << QByteArray("#2\r\n")
            << QStringList{"#2"};
        QTest::newRow("reload keeps equal lines and mends changed ones")
            << QByteArray("#1\r\n\x80uro\\euro\r\nsame\\line\r\n") << true
            << QByteArray("#1\r\n\x80uro\\euro\r\nsame\\lime\r\n")
            << QStringList{"#1", "\u20acuro\\euro", "same\\lime"};
    }
    void load()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, exists);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        TextArray loaded;
        if (!before.isEmpty()) {
            writeDatabase(before);
            Load_Database(loaded);
            QVERIFY(!loaded[1].isEmpty());
        }
        QFile::remove(QString::fromLatin1(VocabularyDatabase::fileName));
        if (exists)
            writeDatabase(content);
        Load_Database(loaded);
        QList<QString> expected(10001);
        for (qsizetype i = 0; i < lines.size(); ++i)
            expected[i + 1] = lines.at(i);
        QCOMPARE(loaded.items(), expected);
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
                content +=
                    "s\xe4hk\xf6johto" + QByteArray::number(k) + "\\electric cable\\note\r\n";
        }
        writeDatabase(content);
        TextArray lines;
        QBENCHMARK
        {
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
