#include "login/form3.h"
#include "login/form3layout.h"
#include "login/userlist.h"
#include "programfixture.h"

#include <QApplication>
#include <QKeyEvent>

#include <memory>

class TestLogin : public QObject
{
    Q_OBJECT

    QString m_home;
    std::unique_ptr<QTemporaryDir> m_data; // the data directory, kept over a restart
    std::unique_ptr<ProgramFixture> m_fixture;

    Program &program() { return m_fixture->program(); }
    QString dataPath(const QString &name) const { return m_data->filePath(name); }
    QStringList dataFiles() const { return QDir(m_data->path()).entryList(QDir::Files); }

    QByteArray dataFile(const QString &name) const
    {
        QFile file(dataPath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    bool writeDataFile(const QString &name, const QByteArray &content) const
    {
        QFile file(dataPath(name));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    bool writeUsers(const QByteArray &content) const
    {
        return writeDataFile(QStringLiteral("Users.txt"), content);
    }

    // A new run with its data directory there.
    void restart(const QString &dataDirectory)
    {
        m_fixture.reset();
        m_fixture = std::make_unique<ProgramFixture>(dataDirectory);
    }

    // Starts the run and waits until the login window has been activated.
    Form3 *startLogin()
    {
        program().start();
        Form3 *form = program().form3();
        return QTest::qWaitForWindowActive(form) ? form : nullptr;
    }

    static QStringList entries(const Form3 *form)
    {
        QStringList result;
        for (int i = 0; i < form->Combo1->count(); ++i)
            result.append(form->Combo1->itemText(i));
        return result;
    }

    QString signedInName() { return program().form1()->Label2[4]->caption(); }

private slots:
    void initTestCase() { m_home = QDir::currentPath(); }

    void init()
    {
        m_data = std::make_unique<QTemporaryDir>();
        QVERIFY(m_data->isValid());
        m_fixture = std::make_unique<ProgramFixture>(m_data->path());
    }
    void cleanup()
    {
        m_fixture.reset();
        QDir::setCurrent(m_home);
        m_data.reset();
    }

    void controlsStandWhereTheLayoutSays()
    {
        Form3 *form = program().form3();
        QCOMPARE(form->windowTitle(), QStringLiteral("Login"));
        QCOMPARE(form->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(form->client()->size(), QSize(365, 172)); // 5475 x 2580 twips
        ProgramFixture::checkLayout(form, Form3Layout::controls());
        for (const QWidget *widget : std::initializer_list<QWidget *>{
                 form->Combo1, form->Label1, form->Text1, form->Command1}) {
            QCOMPARE(widget->font().family(), QStringLiteral("Arial"));
            QCOMPARE(widget->font().pixelSize(), 16); // 12 pt at 96 dpi
        }
        QVERIFY(!form->Combo1->isEditable());
        QCOMPARE(form->Combo1->count(), 0);
        QCOMPARE(form->Label1->caption(), QStringLiteral("Uusi"));
        QVERIFY(form->Label1->alignment() & Qt::AlignHCenter);
        QCOMPARE(form->Command1->text(), QStringLiteral("Alkaa"));
        QVERIFY(!form->Command1->autoDefault() && !form->Command1->isDefault());
        QVERIFY(form->Text1->text().isEmpty());
    }

    void focusMovesComboNameBoxButton()
    {
        QVERIFY(writeUsers("Anna\r\n"));
        Form3 *form = startLogin();
        QVERIFY(form);
        QTRY_VERIFY(form->Command1->hasFocus());
        form->Combo1->setFocus();
        QTest::keyClick(form->Combo1, Qt::Key_Tab);
        QVERIFY(form->Text1->hasFocus());
        QTest::keyClick(form->Text1, Qt::Key_Tab);
        QVERIFY(form->Command1->hasFocus());
    }

    void firstStartEver()
    {
        Form3 *form = startLogin();
        QVERIFY(form);
        QVERIFY(!program().hasForm1());
        QCOMPARE(QDir::currentPath(), QDir(m_data->path()).canonicalPath());
        QCOMPARE(dataFile(QStringLiteral("Users.txt")), QByteArray());
        QCOMPARE(form->Combo1->count(), 0);
        QCOMPARE(form->Combo1->currentIndex(), -1);
        QTRY_VERIFY(form->Text1->hasFocus());

        QTest::keyClicks(form->Text1, QStringLiteral("Anna"));
        QTest::keyClick(form->Text1, Qt::Key_Return);

        QCOMPARE(dataFile(QStringLiteral("Users.txt")), QByteArray("Anna\r\n"));
        QCOMPARE(dataFile(QStringLiteral("User 1.txt")), UserFile::content());
        QCOMPARE(dataFiles(), (QStringList{"User 1.txt", "Users.txt"}));
        // The new name is listed, still with nothing selected.
        QCOMPARE(entries(form), QStringList{"Anna"});
        QCOMPARE(form->Combo1->currentIndex(), -1);

        QVERIFY(program().hasForm1());
        Form1 *main = program().form1();
        QCOMPARE(signedInName(), QStringLiteral("Anna"));
        QVERIFY(!main->Label9->isHidden());
        QVERIFY(QTest::qWaitForWindowActive(main));
        QVERIFY(form->isHidden());
        // The main window's load took its own folder: results there, user files not.
        QCOMPARE(m_fixture->readFile(QStringLiteral("KTresults.txt")).size(), 48060);
        QVERIFY(!QFile::exists(dataPath(QStringLiteral("KTresults.txt"))));
        QCOMPARE(QDir::currentPath(), QDir(m_fixture->path(QString())).canonicalPath());
    }

    // The user file's number follows the selection in the list, not the list's length.
    void newUserIsAppendedAsTyped_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter"); // keypad Enter in the name box, else a click on Alkaa
        QTest::addColumn<QString>("userFile");
        QTest::newRow("first entry, the default") << 0 << "Dora" << false << "User 2.txt";
        QTest::newRow("third entry") << 2 << "Dora" << false << "User 4.txt";
        QTest::newRow("none selected") << -1 << "Dora" << false << "User 1.txt";
        QTest::newRow("blanks kept") << 0 << "  Dora " << true << "User 2.txt";
        QTest::newRow("a listed name again") << 0 << "Anna" << true << "User 2.txt";
    }
    void newUserIsAppendedAsTyped()
    {
        QFETCH(int, selected);
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(QString, userFile);
        const QByteArray users("Anna\r\nBen\r\nCecilia\r\n");
        QVERIFY(writeUsers(users));
        QVERIFY(writeDataFile(userFile, QByteArray(3000, 'x'))); // an older one, replaced whole
        Form3 *form = startLogin();
        QVERIFY(form);
        QCOMPARE(form->Combo1->currentIndex(), 0);
        form->Combo1->setCurrentIndex(selected);
        ProgramFixture::type(form->Text1, typed);
        if (byEnter)
            QTest::keyClick(form->Text1, Qt::Key_Enter);
        else
            QTest::mouseClick(form->Command1, Qt::LeftButton);

        QCOMPARE(dataFile(QStringLiteral("Users.txt")), users + typed.toLatin1() + "\r\n");
        QCOMPARE(dataFile(userFile), UserFile::content());
        QCOMPARE(dataFiles(), (QStringList{userFile, "Users.txt"}));
        QCOMPARE(entries(form), (QStringList{"Anna", "Ben", "Cecilia", typed}));
        QCOMPARE(form->Combo1->currentIndex(), selected);
        QCOMPARE(signedInName(), typed);
        QVERIFY(!program().form1()->Label9->isHidden());
    }

    void returningUserWritesNothing()
    {
        const QByteArray users("Anna\r\nBen\r\n");
        QVERIFY(writeUsers(users));
        Form3 *form = startLogin();
        QVERIFY(form);
        QCOMPARE(entries(form), (QStringList{"Anna", "Ben"}));
        QCOMPARE(form->Combo1->currentText(), QStringLiteral("Anna"));
        QTRY_VERIFY(form->Command1->hasFocus());

        form->Combo1->setCurrentIndex(1);
        QTest::mouseClick(form->Command1, Qt::LeftButton);

        Form1 *main = program().form1();
        QCOMPARE(main->Label2[4]->caption(), QStringLiteral("Ben"));
        QVERIFY(main->Label9->isHidden());
        QVERIFY(main->Timer2->isEnabled()); // the prompt still comes at the next blink
        QVERIFY(form->isHidden());
        QCOMPARE(dataFile(QStringLiteral("Users.txt")), users);
        QCOMPARE(dataFiles(), QStringList{"Users.txt"});
        QCOMPARE(entries(form), (QStringList{"Anna", "Ben"}));

        // The hidden login window may close; that ends nothing.
        form->close();
        QCOMPARE(m_fixture->ends(), 0);
        QVERIFY(main->isVisible());
    }

    void bothNamesEmptyDoesNothingAndClosingEnds()
    {
        Form3 *form = startLogin();
        QVERIFY(form);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QTest::keyClick(form->Command1, Qt::Key_Return);
        QTest::keyClick(form->Text1, Qt::Key_Return);
        QVERIFY(!form->isSignedIn());
        QVERIFY(form->isVisible());
        QVERIFY(!program().hasForm1());
        QCOMPARE(dataFile(QStringLiteral("Users.txt")), QByteArray());
        QCOMPARE(dataFiles(), QStringList{"Users.txt"});

        // No other window exists yet: closing this one ends the program.
        form->close();
        QCOMPARE(m_fixture->ends(), 1);
    }

    void enterReleasedOnAlkaaSignsIn()
    {
        QVERIFY(writeUsers("Anna\r\n"));
        Form3 *form = startLogin();
        QVERIFY(form);
        QTRY_VERIFY(form->Command1->hasFocus());
        QTest::keyClick(form->Command1, Qt::Key_A);
        QTest::keyPress(form->Command1, Qt::Key_Return);
        QVERIFY(!form->isSignedIn()); // the press alone does nothing
        // A held Enter repeats; only its real release counts.
        QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(form->Command1, &repeat);
        QVERIFY(!form->isSignedIn());
        QTest::keyRelease(form->Command1, Qt::Key_Return);
        QVERIFY(form->isSignedIn());
        QCOMPARE(signedInName(), QStringLiteral("Anna"));
        QVERIFY(form->isHidden());
    }

    void oneEnterSignsInOnce()
    {
        QVERIFY(writeUsers("Anna\r\n"));
        Form3 *form = startLogin();
        QVERIFY(form);
        form->Text1->setFocus();
        QTest::keyClicks(form->Text1, QStringLiteral("Ben"));
        QTest::keyPress(form->Text1, Qt::Key_Return);
        QVERIFY(form->isSignedIn());
        QCOMPARE(form->Text1->text(), QStringLiteral("Ben"));
        // Whatever then receives the release, or a late click, signs in no second time.
        QTest::keyRelease(form->Command1, Qt::Key_Return);
        form->Command1->click();
        form->Login();
        QCOMPARE(dataFile(QStringLiteral("Users.txt")), QByteArray("Anna\r\nBen\r\n"));
        QCOMPARE(entries(form), (QStringList{"Anna", "Ben"}));
    }

    void nameBoxTakesOnlyWhatTheListCanHold()
    {
        Form3 *form = startLogin();
        QVERIFY(form);
        ProgramFixture::type(form->Text1, QStringLiteral("Łukasz 😀"));
        QCOMPARE(form->Text1->text(), QStringLiteral("ukasz "));
        form->Text1->clear();
        form->Text1->insert(QStringLiteral("Anna 😀")); // as a paste arrives
        form->Text1->insert(QStringLiteral("Anna\r\nBen"));
        QVERIFY(form->Text1->text().isEmpty());

        const QString name = QStringLiteral("Äijö Söderström €");
        ProgramFixture::type(form->Text1, name);
        QCOMPARE(form->Text1->text(), name);
        QTest::keyClick(form->Text1, Qt::Key_Return);
        QCOMPARE(signedInName(), name);
        QCOMPARE(dataFile(QStringLiteral("Users.txt")),
                 QByteArray("\xc4ij\xf6 S\xf6\x64\x65rstr\xf6m \x80\r\n"));

        // The next run lists it and signs it in unchanged.
        restart(m_data->path());
        form = startLogin();
        QVERIFY(form);
        QCOMPARE(entries(form), QStringList{name});
        QTest::keyClick(form->Command1, Qt::Key_Return);
        QCOMPARE(signedInName(), name);
    }

    void missingDataDirectoryUsesTheCurrentFolder()
    {
        // Started in the data folder of this test, with the data directory missing.
        m_fixture.reset();
        QVERIFY(QDir::setCurrent(m_data->path()));
        const QString missing = dataPath(QStringLiteral("Kielotar Opinto"));
        restart(missing);

        Form3 *form = startLogin();
        QVERIFY(form);
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(dataFile(QStringLiteral("Users.txt")), QByteArray());
        QTest::keyClicks(form->Text1, QStringLiteral("Anna"));
        QTest::keyClick(form->Text1, Qt::Key_Return);
        QCOMPARE(dataFile(QStringLiteral("User 1.txt")), UserFile::content());
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(form->isSignedIn());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
