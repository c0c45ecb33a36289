#include "childprocess.h"
#include "login/userlist.h"
#include "login/usernamevalidator.h"
#include "programfixture.h"

#include <memory>

class TestUserList : public QObject
{
    Q_OBJECT

    const QString m_name = QString::fromLatin1(UserList::fileName);
    std::unique_ptr<ProgramFixture> m_fixture;
    QString m_list;

private slots:
    void init()
    {
        m_fixture = std::make_unique<ProgramFixture>();
        m_list = m_fixture->path(m_name);
    }
    void cleanup()
    {
        chmod(QFile::encodeName(m_fixture->path(QString())).constData(), 0755);
        m_fixture.reset();
    }

    void loadListsEveryNonEmptyLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("one byte is not read") << QByteArray("A") << QStringList();
        QTest::newRow("one line end is not read") << QByteArray("\n") << QStringList();
        QTest::newRow("two bytes are read") << QByteArray("AB") << QStringList{"AB"};
        QTest::newRow("in file order")
            << QByteArray("Anna\r\nBen\r\nCecilia\r\n") << QStringList{"Anna", "Ben", "Cecilia"};
        QTest::newRow("empty lines skipped")
            << QByteArray("\r\nAnna\r\n\r\n\r\nBen\r\n\r\n") << QStringList{"Anna", "Ben"};
        QTest::newRow("blanks kept")
            << QByteArray("  Anna \r\n \r\n") << QStringList{"  Anna ", " "};
        QTest::newRow("duplicates kept")
            << QByteArray("Anna\r\nAnna\r\n") << QStringList{"Anna", "Anna"};
        QTest::newRow("last line without line end")
            << QByteArray("Anna\r\nBen") << QStringList{"Anna", "Ben"};
        QTest::newRow("bare line feeds") << QByteArray("Anna\nBen\n") << QStringList{"Anna", "Ben"};
        QTest::newRow("code page")
            << QByteArray("J\xe4rvi\r\nS\xf6\x64\x65rstr\xf6m\r\n\x80uro\r\n")
            << QStringList{"Järvi", "Söderström", "€uro"};
    }
    void loadListsEveryNonEmptyLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, names);
        m_fixture->writeFile(m_name, content);
        QCOMPARE(UserList::load(m_list), names);
        QCOMPARE(m_fixture->readFile(m_name), content); // reading never changes the list
    }

    void unusableListGivesNoNames()
    {
        // A folder where the list should be: nothing to create, nothing to read.
        QVERIFY(QDir().mkdir(m_list));
        QCOMPARE(UserList::load(m_list), QStringList());
        QVERIFY(!UserList::append(QStringLiteral("Anna"), m_list));
        // And one in a missing folder is not made.
        QCOMPARE(UserList::load(m_fixture->path(QStringLiteral("missing/Users.txt"))),
                 QStringList());
        QVERIFY(!QFileInfo::exists(m_fixture->path(QStringLiteral("missing"))));
    }

    void appendAddsOneLine_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("empty list") << QByteArray() << QByteArray("Dora\r\n");
        QTest::newRow("after a whole line")
            << QByteArray("Anna\r\n") << QByteArray("Anna\r\nDora\r\n");
        QTest::newRow("line end missing")
            << QByteArray("Anna\r\nBen") << QByteArray("Anna\r\nBen\r\nDora\r\n");
        QTest::newRow("half a line end") << QByteArray("Anna\r") << QByteArray("Anna\r\nDora\r\n");
        QTest::newRow("bare line feed") << QByteArray("Anna\n") << QByteArray("Anna\nDora\r\n");
    }
    void appendAddsOneLine()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        m_fixture->writeFile(m_name, before);
        QVERIFY(UserList::append(QStringLiteral("Dora"), m_list));
        QCOMPARE(m_fixture->readFile(m_name), after);
        QCOMPARE(UserList::load(m_list).last(), QStringLiteral("Dora"));
    }

    void userFileIsTwoHundredLinesOfTabs()
    {
        QCOMPARE(UserFile::fileName(12), QStringLiteral("User 12.txt"));
        QCOMPARE(UserFile::content(), QByteArray("\t\t\t\t\t\r\n").repeated(200));
    }

    // A 1024-byte file size limit stands for a nearly full disk: a user file of 1400 bytes and a
    // list grown past 1024 bytes do not fit, and the files stay as they were.
    void writesCutShortAreReported_data() { ChildProcess::addWritingWays(); }
    void writesCutShortAreReported()
    {
        QFETCH(bool, inPlace);
        const QString userFile = UserFile::fileName(2);
        const QByteArray list = QByteArray("Anna\r\n").repeated(170);
        const QByteArray cutShort = UserFile::content().left(700);
        m_fixture->writeFile(m_name, list);
        m_fixture->writeFile(userFile, cutShort);
        const QString folder = m_fixture->path(QString());
        const int writer =
            inPlace ? ChildProcess::denyFolder(folder, {m_name, userFile}) : ChildProcess::self;
        const auto write = [&] {
            return !UserFile::write(2, folder) && !UserList::append(QStringLiteral("Dora"), m_list);
        };
        QCOMPARE(ChildProcess::wait(ChildProcess::start(write, writer, 1024)), 1);
        QCOMPARE(m_fixture->readFile(userFile), cutShort);
        QCOMPARE(m_fixture->readFile(m_name), list);
        QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{userFile, m_name}));
    }

    void namesTheListCanHold_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("storable");
        QTest::newRow("plain") << QStringLiteral("Anna") << true;
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("Finnish letters") << QStringLiteral("Äijö Järvinen") << true;
        QTest::newRow("blanks") << QStringLiteral("  Anna  ") << true;
        QTest::newRow("euro sign, byte 0x80") << QStringLiteral("€uro") << true;
        QTest::newRow("Polish L") << QStringLiteral("Łukasz") << false;
        QTest::newRow("emoji") << QStringLiteral("Anna 😀") << false;
        QTest::newRow("half an emoji") << QString(QChar(0xD83D)) << false;
        QTest::newRow("combining accent") << QStringLiteral("Ane\u0301") << false;
        QTest::newRow("line feed") << QStringLiteral("Anna\nBen") << false;
        QTest::newRow("carriage return") << QStringLiteral("Anna\rBen") << false;
    }
    void namesTheListCanHold()
    {
        QFETCH(QString, name);
        QFETCH(bool, storable);
        UserNameValidator validator;
        int pos = 0;
        QString input = name;
        QCOMPARE(validator.validate(input, pos),
                 storable ? QValidator::Acceptable : QValidator::Invalid);
        QCOMPARE(input, name);
        if (storable && !name.isEmpty()) {
            QVERIFY(UserList::append(name, m_list));
            QCOMPARE(UserList::load(m_list), QStringList{name});
        }
    }
};

QTEST_GUILESS_MAIN(TestUserList)
#include "tst_userlist.moc"
