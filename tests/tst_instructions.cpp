#include "help/form4.h"
#include "help/form4layout.h"
#include "help/helptext.h"
#include "main/form1.h"
#include "main/program.h"
#include "main/textrules.h"
#include "platform/layout.h"
#include "platform/programend.h"
#include "platform/windowtoggle.h"

#include <QTemporaryDir>
#include <QTest>

class TestInstructions : public QObject
{
    Q_OBJECT

    QTemporaryDir *m_folder = nullptr;
    Program *m_program = nullptr;
    // Active between tests, so that no deleted window counts as the last active one.
    FormWindow *m_neutral = nullptr;

    static void activate(FormWindow *window)
    {
        window->showForm();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

private slots:
    void initTestCase()
    {
        ProgramEnd::setHandler([] {});
        m_neutral = new FormWindow(1500, 1500);
    }
    void cleanupTestCase() { delete m_neutral; }

    void init()
    {
        m_folder = new QTemporaryDir;
        QVERIFY(m_folder->isValid());
        m_program = new Program({m_folder->path(), m_folder->path()});
    }
    void cleanup()
    {
        activate(m_neutral);
        delete m_program;
        delete m_folder;
    }

    void textIsThirtyOneLinesEndingInCrLf()
    {
        const QString text = HelpText::text();
        QCOMPARE(text.count(QLatin1String("\r\n")), 31);
        QCOMPARE(text.count(QLatin1Char('\r')), 31);
        QCOMPARE(text.count(QLatin1Char('\n')), 31);
        QVERIFY(text.endsWith(QLatin1String("\r\n")));
        QCOMPARE(text, HelpText::lines().join(QLatin1String("\r\n")) + QLatin1String("\r\n"));

        const QStringList lines = HelpText::lines();
        QCOMPARE(lines.size(), 31);
        QList<int> empty;
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].isEmpty())
                empty.append(i + 1);
            else
                QVERIFY2(lines[i].startsWith(QLatin1Char(' ')) && lines[i][1] != QLatin1Char(' '),
                         qPrintable(QString::number(i + 1)));
        }
        QCOMPARE(empty, QList<int>({2, 4, 8, 11, 13, 20, 22, 28, 30}));
    }

    void linesKeepTheirBlanks_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("introduction ends in a blank") << 1 << " Kielotar - opiskeluohjelmalla"
                                                      << "toivottuun lopputulokseen. ";
        QTest::newRow("four blanks after the heading") << 3 << " Sanaston opiskelu.    Valitse"
                                                       << "(klikkaa hiirellä). ";
        QTest::newRow("two blanks after Ohjelma") << 10 << " Ohjelma  näyttää"
                                                  << "edelliseen ikkunaan. ";
        QTest::newRow("section heading") << 12 << " Testaus. "
                                         << " Testaus. ";
        QTest::newRow("ten per cent, nothing after") << 16 << " Jos kirjoittamasi"
                                                     << "antaa 10%";
        QTest::newRow("last line") << 31 << " Ohjelma sisältää"
                                   << "15 valmiita eri alojen sanastoja.";
    }
    void linesKeepTheirBlanks()
    {
        QFETCH(int, line);
        QFETCH(QString, start);
        QFETCH(QString, end);
        const QString text = HelpText::lines().value(line - 1);
        QVERIFY2(text.startsWith(start), qPrintable(text));
        QVERIFY2(text.endsWith(end), qPrintable(text));
    }

    void windowFollowsTheLayout()
    {
        Form4 *form = m_program->form4();
        QCOMPARE(form->objectName(), QStringLiteral("Form4"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Ohjeet"));
        QVERIFY(!form->windowIcon().isNull());
        QCOMPARE(form->client()->size(), QSize(928, 630)); // 13920 x 9450 twips
        QCOMPARE(form->client()->palette().color(QPalette::Window), QColor(255, 255, 192));

        QCOMPARE(form->Label1->objectName(), QStringLiteral("Label1"));
        QCOMPARE(Layout::rectTwips(form->Label1), QRect(240, 120, 13575, 9300));
        QVERIFY(form->Label1->autoFillBackground());
        QCOMPARE(form->Label1->palette().color(QPalette::Window), QColor(255, 255, 192));
        QCOMPARE(form->Label1->font().family(), QStringLiteral("Arial"));
        QCOMPARE(form->Label1->font().pixelSize(), 16); // 12 points
        QVERIFY(!form->Label1->font().bold());
        QVERIFY(form->Label1->alignment() & Qt::AlignLeft);
        QVERIFY(form->Label1->wordWrap());
        QVERIFY(form->Label1->caption().isEmpty());
    }

    void activationWritesTitleAndText()
    {
        activate(m_program->form1());
        Form4 *form = m_program->form4();
        QCOMPARE(m_program->form4(), form);
        toggleWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->windowTitle(),
                 centredTitle(form->outerWidthTwips(), 120, QStringLiteral("Ohjeet")));
        QVERIFY(form->windowTitle().startsWith(QString(100, QLatin1Char(' '))));
        QCOMPARE(form->Label1->caption(), HelpText::text());
        QCOMPARE(form->Label1->caption().count(QLatin1String("\r\n")), 31);

        // Hidden and shown again: the same text, the title written afresh.
        toggleWindow(form);
        QVERIFY(!form->isVisible());
        form->Label1->setCaption(QString());
        form->setWindowTitle(QStringLiteral("Ohjeet"));
        activate(m_program->form1());
        toggleWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->Label1->caption(), HelpText::text());
        QCOMPARE(form->windowTitle(),
                 centredTitle(form->outerWidthTwips(), 120, QStringLiteral("Ohjeet")));

        // Closed from its frame, it only hides; the button shows it again.
        form->close();
        QVERIFY(!form->isVisible());
        activate(m_program->form1());
        toggleWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->Label1->caption(), HelpText::text());
    }
};

QTEST_MAIN(TestInstructions)
#include "tst_instructions.moc"
