#include "login/form3.h"
#include "login/form3layout.h"
#include "login/userlist.h"
#include "main/form1.h"
#include "main/program.h"
#include "platform/layout.h"
#include "platform/programend.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>

class TestLogin : public QObject
{
    Q_OBJECT

    QTemporaryDir *m_data = nullptr;
    QTemporaryDir *m_programFolder = nullptr;
    Program *m_program = nullptr;
    FormWindow *m_elsewhere = nullptr;
    QString m_previous;
    int m_ends = 0;

    QString dataPath(const QString &name) const { return m_data->filePath(name); }

    QByteArray dataFile(const QString &name) const
    {
        QFile file(dataPath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    bool writeUsers(const QByteArray &content) const
    {
        QFile file(dataPath(QStringLiteral("Users.txt")));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    // Starts the run and waits until the login window has been activated.
    Form3 *startLogin()
    {
        m_program->start();
        Form3 *form = m_program->form3();
        return QTest::qWaitForWindowActive(form) ? form : nullptr;
    }

    // Types each character as a key press carrying it, as a keyboard or input method would;
    // QTest::keyClicks takes ASCII only.
    static void type(QWidget *widget, const QString &text)
    {
        for (char32_t c : text.toUcs4())
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUcs4(&c, 1),
                                Qt::NoModifier);
    }

    // A new run on the same program folder.
    void restart(const QString &dataDirectory)
    {
        delete m_program;
        m_elsewhere->showForm();
        QVERIFY(QTest::qWaitForWindowActive(m_elsewhere));
        m_program = new Program({m_programFolder->path(), dataDirectory});
    }

    QStringList entries(const Form3 *form) const
    {
        QStringList result;
        for (int i = 0; i < form->Combo1->count(); ++i)
            result.append(form->Combo1->itemText(i));
        return result;
    }

private slots:
    void initTestCase()
    {
        ProgramEnd::setHandler([this] { ++m_ends; });
        m_elsewhere = new FormWindow(1500, 1500);
    }
    void cleanupTestCase() { delete m_elsewhere; }

    void init()
    {
        // Another window of the program is active before each run, so that the login window's
        // showing is an activation.
        m_elsewhere->showForm();
        QVERIFY(QTest::qWaitForWindowActive(m_elsewhere));
        m_previous = QDir::currentPath();
        m_data = new QTemporaryDir;
        m_programFolder = new QTemporaryDir;
        QVERIFY(m_data->isValid() && m_programFolder->isValid());
        m_program = new Program({m_programFolder->path(), m_data->path()});
        m_ends = 0;
    }
    void cleanup()
    {
        delete m_program;
        QDir::setCurrent(m_previous);
        delete m_data;
        delete m_programFolder;
    }

    void controlsStandWhereTheLayoutSays()
    {
        Form3 *form = m_program->form3();
        QCOMPARE(form->windowTitle(), QStringLiteral("Login"));
        QCOMPARE(form->client()->size(), QSize(365, 172)); // 5475 x 2580 twips
        for (const Layout::Control &spec : Form3Layout::controls()) {
            auto *widget = form->findChild<QWidget *>(Layout::objectName(spec));
            QVERIFY2(widget, qPrintable(Layout::objectName(spec)));
            const QRect r = Layout::rectTwips(widget);
            QVERIFY2(qAbs(r.left() - spec.left) <= 7 && qAbs(r.top() - spec.top) <= 7 &&
                         qAbs(r.width() - spec.width) <= 15 && qAbs(r.height() - spec.height) <= 15,
                     qPrintable(Layout::objectName(spec)));
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
        QVERIFY(!m_program->hasForm1());
        QCOMPARE(QDir::currentPath(), QDir(m_data->path()).canonicalPath());
        QCOMPARE(dataFile(QStringLiteral("Users.txt")), QByteArray());
        QCOMPARE(form->Combo1->count(), 0);
        QCOMPARE(form->Combo1->currentIndex(), -1);
        QTRY_VERIFY(form->Text1->hasFocus());

        QTest::keyClicks(form->Text1, QStringLiteral("Anna"));
        QTest::keyClick(form->Text1, Qt::Key_Return);

        QCOMPARE(dataFile(QStringLiteral("Users.txt")), QByteArray("Anna\r\n"));
        QCOMPARE(dataFile(QStringLiteral("User 1.txt")), UserFile::content());
        QCOMPARE(QDir(m_data->path()).entryList(QDir::Files),
                 (QStringList{"User 1.txt", "Users.txt"}));
        // The new name is listed, still with nothing selected.
        QCOMPARE(entries(form), QStringList{"Anna"});
        QCOMPARE(form->Combo1->currentIndex(), -1);

        QVERIFY(m_program->hasForm1());
        Form1 *main = m_program->form1();
        QCOMPARE(main->Label2[4]->caption(), QStringLiteral("Anna"));
        QVERIFY(!main->Label9->isHidden());
        QVERIFY(main->isVisible());
        QVERIFY(form->isHidden());
        // The main window's load took its own folder: results there, user files not.
        QVERIFY(QFile::exists(m_programFolder->filePath(QStringLiteral("KTresults.txt"))));
        QVERIFY(!QFile::exists(dataPath(QStringLiteral("KTresults.txt"))));
        QCOMPARE(QDir::currentPath(), QDir(m_programFolder->path()).canonicalPath());
        QVERIFY(QTest::qWaitForWindowActive(main));
        QVERIFY(form->isHidden());
    }

    void newUserFileNumberFollowsTheSelection_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("userFile");
        QTest::newRow("first entry, the default") << 0 << QStringLiteral("User 2.txt");
        QTest::newRow("third entry") << 2 << QStringLiteral("User 4.txt");
        QTest::newRow("none selected") << -1 << QStringLiteral("User 1.txt");
    }
    void newUserFileNumberFollowsTheSelection()
    {
        QFETCH(int, selected);
        QFETCH(QString, userFile);
        QVERIFY(writeUsers("Anna\r\nBen\r\nCecilia\r\n"));
        {
            // An older file of that name is replaced whole.
            QFile old(dataPath(userFile));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(3000, 'x'));
        }
        Form3 *form = startLogin();
        QVERIFY(form);
        QCOMPARE(form->Combo1->currentIndex(), 0);
        form->Combo1->setCurrentIndex(selected);
        form->Text1->setText(QStringLiteral("Dora"));
        QTest::mouseClick(form->Command1, Qt::LeftButton);

        QCOMPARE(dataFile(userFile), UserFile::content());
        QCOMPARE(QDir(m_data->path()).entryList(QDir::Files), (QStringList{userFile, "Users.txt"}));
        QCOMPARE(dataFile(QStringLiteral("Users.txt")),
                 QByteArray("Anna\r\nBen\r\nCecilia\r\nDora\r\n"));
        QCOMPARE(form->Combo1->currentIndex(), selected);
        QCOMPARE(m_program->form1()->Label2[4]->caption(), QStringLiteral("Dora"));
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

        Form1 *main = m_program->form1();
        QCOMPARE(main->Label2[4]->caption(), QStringLiteral("Ben"));
        QVERIFY(main->Label9->isHidden());
        QVERIFY(main->Timer2->isEnabled()); // the prompt still comes at the next blink
        QVERIFY(form->isHidden());
        QCOMPARE(dataFile(QStringLiteral("Users.txt")), users);
        QCOMPARE(QDir(m_data->path()).entryList(QDir::Files), QStringList{"Users.txt"});
        QCOMPARE(entries(form), (QStringList{"Anna", "Ben"}));

        // The hidden login window may close; that ends nothing.
        form->close();
        QCOMPARE(m_ends, 0);
        QVERIFY(main->isVisible());
    }

    void typedNameWinsAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("usersAfter");
        QTest::newRow("another name") << QStringLiteral("Ben") << QByteArray("Anna\r\nBen\r\n");
        QTest::newRow("blanks kept")
            << QStringLiteral("  Ben ") << QByteArray("Anna\r\n  Ben \r\n");
        QTest::newRow("a listed name again")
            << QStringLiteral("Anna") << QByteArray("Anna\r\nAnna\r\n");
    }
    void typedNameWinsAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, usersAfter);
        QVERIFY(writeUsers("Anna\r\n"));
        Form3 *form = startLogin();
        QVERIFY(form);
        QCOMPARE(form->Combo1->currentText(), QStringLiteral("Anna"));
        type(form->Text1, typed);
        QTest::keyClick(form->Text1, Qt::Key_Enter);

        QCOMPARE(dataFile(QStringLiteral("Users.txt")), usersAfter);
        QCOMPARE(entries(form), (QStringList{"Anna", typed}));
        QCOMPARE(m_program->form1()->Label2[4]->caption(), typed);
        QVERIFY(!m_program->form1()->Label9->isHidden());
        QCOMPARE(dataFile(QStringLiteral("User 2.txt")), UserFile::content());
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
        QVERIFY(!m_program->hasForm1());
        QCOMPARE(dataFile(QStringLiteral("Users.txt")), QByteArray());
        QCOMPARE(QDir(m_data->path()).entryList(QDir::Files), QStringList{"Users.txt"});

        // No other window exists yet: closing this one ends the program.
        form->close();
        QCOMPARE(m_ends, 1);
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
        QCOMPARE(m_program->form1()->Label2[4]->caption(), QStringLiteral("Anna"));
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
        type(form->Text1, QStringLiteral("Łukasz 😀"));
        QCOMPARE(form->Text1->text(), QStringLiteral("ukasz "));
        form->Text1->clear();
        form->Text1->insert(QStringLiteral("Anna 😀")); // as a paste arrives
        form->Text1->insert(QStringLiteral("Anna\r\nBen"));
        QVERIFY(form->Text1->text().isEmpty());

        const QString name = QStringLiteral("Äijö Söderström €");
        type(form->Text1, name);
        QCOMPARE(form->Text1->text(), name);
        QTest::keyClick(form->Text1, Qt::Key_Return);
        QCOMPARE(m_program->form1()->Label2[4]->caption(), name);
        QCOMPARE(dataFile(QStringLiteral("Users.txt")),
                 QByteArray("\xc4ij\xf6 S\xf6\x64\x65rstr\xf6m \x80\r\n"));

        // The next run lists it and signs it in unchanged.
        restart(m_data->path());
        form = startLogin();
        QVERIFY(form);
        QCOMPARE(entries(form), QStringList{name});
        QTest::keyClick(form->Command1, Qt::Key_Return);
        QCOMPARE(m_program->form1()->Label2[4]->caption(), name);
    }

    void missingDataDirectoryUsesTheCurrentFolder()
    {
        QTemporaryDir startedIn;
        QVERIFY(startedIn.isValid());
        QDir::setCurrent(startedIn.path());
        const QString missing = m_data->filePath(QStringLiteral("Kielotar Opinto"));
        restart(missing);

        Form3 *form = startLogin();
        QVERIFY(form);
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(QFile::exists(startedIn.filePath(QStringLiteral("Users.txt"))));
        QTest::keyClicks(form->Text1, QStringLiteral("Anna"));
        QTest::keyClick(form->Text1, Qt::Key_Return);
        QCOMPARE(QFileInfo(startedIn.filePath(QStringLiteral("User 1.txt"))).size(), 1400);
        QVERIFY(!QFileInfo::exists(missing));
        QVERIFY(form->isSignedIn());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
