#include "main/form1.h"
#include "main/form1layout.h"
#include "main/program.h"
#include "main/resultsfile.h"
#include "main/textrules.h"
#include "platform/layout.h"
#include "programfixture.h"

#include <QMenuBar>
#include <QTest>

#include <memory>

class TestForm1 : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_fixture;

private slots:
    void init() { m_fixture = std::make_unique<ProgramFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void loadMakesTheProgramFolderCurrentAndCreatesResults()
    {
        Form1 *form = m_fixture->form1();
        QCOMPARE(QDir::currentPath(), QDir(m_fixture->path(QString())).canonicalPath());
        QCOMPARE(m_fixture->readFile(QStringLiteral("KTresults.txt")).size(), 48060);
        QCOMPARE(m_fixture->state().Result_Lines[30], QByteArray(1600, ' '));
        QVERIFY(!form->Label9->isHidden());
        QVERIFY(form->Timer2->isEnabled());
        QCOMPARE(form->Timer2->interval(), 750);
        QCOMPARE(form->Timer1->interval(), 100);
        QVERIFY(!form->Timer1->isEnabled());
    }

    void controlsStandWhereTheLayoutSays()
    {
        Form1 *form = m_fixture->form1();
        QCOMPARE(form->client()->size(), QSize(777, 398)); // 11655 x 5970 twips
        QCOMPARE(form->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        for (const Layout::Control &row : Form1Layout::controls()) {
            auto *widget = form->findChild<QWidget *>(Layout::objectName(row));
            QVERIFY2(widget, qPrintable(Layout::objectName(row)));
            const QRect r = Layout::rectTwips(widget);
            QVERIFY2(qAbs(r.left() - row.left) <= 7 && qAbs(r.top() - row.top) <= 7 &&
                         qAbs(r.width() - row.width) <= 15 && qAbs(r.height() - row.height) <= 15,
                     qPrintable(Layout::objectName(row)));
            QCOMPARE(widget->isHidden(), !row.visible);
        }
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral("1/0"));
        QCOMPARE(form->Label2[0]->caption(), QStringLiteral("Keskeytä"));
        QCOMPARE(form->Label9->caption(), QStringLiteral("Valitse sanastosi"));
        QVERIFY(form->Label9->font().underline());
        QCOMPARE(form->Label2[7]->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(form->Label2[1]->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(form->Label2[1]->cursor().hotSpot(), QPoint(12, 1));
    }

    void stackingPutsBannerAndFramesBehind()
    {
        Form1 *form = m_fixture->form1();
        const QObjectList children = form->client()->children();
        const auto position = [&](QObject *o) { return children.indexOf(o); };
        QVERIFY(position(form->Image2) < position(form->Label3[0]));
        for (int i = 0; i <= 5; ++i)
            QVERIFY(position(form->Shape3[i]) < position(form->Label2[0]));
        QVERIFY(position(form->Shape1[0]) < position(form->Label5[0]));
    }

    void menuListsTheFifteenVocabulariesInOrder()
    {
        Form1 *form = m_fixture->form1();
        QCOMPARE(form->Header1->title(), QStringLiteral("&Sanasto"));
        const QStringList expected = {"Tietokone", "Tekninen",   "Sähkö",        "Rakennus",
                                      "CAD",       "LVI",        "Kaupallinen",  "Rahoitus",
                                      "Puutyö",    "Politiikka", "Turvallisuus", "Ravintola",
                                      "Puutarha",  "Metallityö", "Asentaja"};
        QCOMPARE(form->Header1->actions().size(), 15);
        for (int i = 1; i <= 15; ++i) {
            QCOMPARE(form->Menu1[i]->text(), expected.at(i - 1));
            QCOMPARE(form->Header1->actions().at(i - 1), form->Menu1[i]);
        }
    }

    void blinkerTogglesThePrompt()
    {
        Form1 *form = m_fixture->form1();
        QVERIFY(!form->Label9->isHidden());
        form->Timer2_Timer();
        QVERIFY(form->Label9->isHidden());
        form->Timer2_Timer();
        QVERIFY(!form->Label9->isHidden());

        // And the real timer does it on its own.
        form->Timer2->setInterval(5);
        const bool before = form->Label9->isHidden();
        QTRY_COMPARE_WITH_TIMEOUT(form->Label9->isHidden(), !before, 2000);
    }

    void activationCentresTitleAndReadsTheDatabase()
    {
        m_fixture->writeDatabase({"#1", "a\\b\\c", "#"});
        Form1 *form = m_fixture->form1();
        QVERIFY(ProgramFixture::activate(form));
        QCOMPARE(form->windowTitle(),
                 centredTitle(form->outerWidthTwips(), 110, QStringLiteral("Kielotar Opinto")));
        QVERIFY(form->windowTitle().startsWith(QStringLiteral("     ")));
        QCOMPARE(m_fixture->state().Database_Lines[2], QStringLiteral("a\\b"));

        // Coming back from another window of the program reads the database again.
        m_fixture->writeDatabase({"#1", "x\\y", "#"});
        FormWindow other(3000, 2000);
        QVERIFY(ProgramFixture::activate(&other));
        QCOMPARE(m_fixture->state().Database_Lines[2], QStringLiteral("a\\b"));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(m_fixture->state().Database_Lines[2], QStringLiteral("x\\y"));
    }

    void closingTheMainWindowEndsTheProgram()
    {
        Form1 *form = m_fixture->form1();
        form->showForm();
        form->close();
        QCOMPARE(m_fixture->ends(), 1);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
