#include "main/form1.h"
#include "main/program.h"
#include "main/resultsfile.h"
#include "main/textrules.h"
#include "platform/layout.h"
#include "platform/programend.h"
#include "platform/windowtoggle.h"
#include "results/form5.h"
#include "results/form5layout.h"
#include "results/resultrows.h"

#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime christmasEve(QDate(2023, 12, 24), QTime(14, 5, 59));

// Thirty blank lines, as a new results file holds them.
ByteTextArray blankLines()
{
    ByteTextArray lines;
    lines.dimension(ResultsFile::lineCount);
    for (int i = 1; i <= ResultsFile::lineCount; ++i)
        lines.set(i, QByteArray(ResultsFile::lineLength, ' '));
    return lines;
}

QByteArray lineWith(int slot, int score, const QDateTime &when)
{
    ByteTextArray lines = blankLines();
    Store_Result_Entry(lines, 1, slot, score, when);
    return lines[1];
}

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

} // namespace

class TestResultsWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir *m_folder = nullptr;
    Program *m_program = nullptr;
    // Active between tests, so that no deleted window counts as the last active one.
    FormWindow *m_neutral = nullptr;

    Form5 *activatedForm5()
    {
        Form1 *form1 = m_program->form1();
        form1->showForm();
        if (!QTest::qWaitForWindowActive(form1))
            return nullptr;
        Form5 *form = m_program->form5();
        toggleWindow(form);
        return QTest::qWaitForWindowActive(form) ? form : nullptr;
    }

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

    void rows_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("testRow");
        QTest::addColumn<QString>("examRow");

        const QByteArray blank(ResultsFile::lineLength, ' ');
        QTest::newRow("score 85, 24 December, 14:05")
            << lineWith(3, 85, christmasEve) << 3 << "  3\t" + blanks(6) + "85\t24-12-2023\t14:05"
            << blanks(5) + "85\t24-12-2023\t14:05";
        QTest::newRow("never written slot 7")
            << blank << 7 << "  7\t" + blanks(8) + "0\t" + blanks(10) + "\t" + blanks(5)
            << blanks(5) + "0\t" + blanks(10) + "\t" + blanks(5);
        QTest::newRow("one digit")
            << lineWith(1, 5, christmasEve) << 1 << "  1\t" + blanks(8) + "5\t24-12-2023\t14:05"
            << blanks(5) + "5\t24-12-2023\t14:05";
        QTest::newRow("two digits")
            << lineWith(1, 45, christmasEve) << 1 << "  1\t" + blanks(6) + "45\t24-12-2023\t14:05"
            << blanks(5) + "45\t24-12-2023\t14:05";
        QTest::newRow("full score, byte 132")
            << lineWith(1, 100, christmasEve) << 1 << "  1\t" + blanks(4) + "100\t24-12-2023\t14:05"
            << blanks(5) + "100\t24-12-2023\t14:05";
        QTest::newRow("byte 128 is 96, not negative")
            << lineWith(2, 96, christmasEve) << 2 << "  2\t" + blanks(6) + "96\t24-12-2023\t14:05"
            << blanks(5) + "96\t24-12-2023\t14:05";
        QTest::newRow("day and month swap: 7 March")
            << lineWith(4, 80, QDateTime(QDate(2024, 3, 7), QTime(9, 0))) << 4
            << "  4\t" + blanks(6) + "80\t07-03-2024\t09:00" << blanks(5) + "80\t07-03-2024\t09:00";
        QTest::newRow("last slot, stamp at the line's end")
            << lineWith(100, 60, christmasEve) << 100
            << "  100\t" + blanks(6) + "60\t24-12-2023\t14:05"
            << blanks(5) + "60\t24-12-2023\t14:05";
        QTest::newRow("score 0 keeps its stamp")
            << lineWith(5, 0, christmasEve) << 5 << "  5\t" + blanks(8) + "0\t24-12-2023\t14:05"
            << blanks(5) + "0\t24-12-2023\t14:05";

        // A damaged, short line: what is missing shows as never written.
        QTest::newRow("empty line")
            << QByteArray() << 1 << "  1\t" + blanks(8) + "0\t" + blanks(10) + "\t" + blanks(5)
            << blanks(5) + "0\t" + blanks(10) + "\t" + blanks(5);
        QTest::newRow("slot past a short line")
            << lineWith(60, 70, christmasEve).left(50) << 60
            << "  60\t" + blanks(8) + "0\t" + blanks(10) + "\t" + blanks(5)
            << blanks(5) + "0\t" + blanks(10) + "\t" + blanks(5);
        QTest::newRow("line ends inside the stamp")
            << lineWith(2, 70, christmasEve).left(ResultsFile::stampStart(2) - 1 + 13) << 2
            << "  2\t" + blanks(6) + "70\t24-12-2023\t14:" + blanks(2)
            << blanks(5) + "70\t24-12-2023\t14:" + blanks(2);
        QTest::newRow("line ends inside the date")
            << lineWith(2, 70, christmasEve).left(ResultsFile::stampStart(2) - 1 + 4) << 2
            << "  2\t" + blanks(6) + "70\t2" + blanks(2) + "12-" + blanks(4) + "\t" + blanks(5)
            << blanks(5) + "70\t2" + blanks(2) + "12-" + blanks(4) + "\t" + blanks(5);
    }
    void rows()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, slot);
        QFETCH(QString, testRow);
        QFETCH(QString, examRow);
        QCOMPARE(ResultRows::testRow(line, slot), testRow);
        QCOMPARE(ResultRows::examRow(line, slot), examRow);
    }

    void headings()
    {
        QCOMPARE(ResultRows::testHeading(), QStringLiteral(" Osa\tTulos\tPäivä\t\tAika"));
        QCOMPARE(ResultRows::examHeading(), QStringLiteral(" Tulos\tPäivä\t\tAika"));
    }

    void indents_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("test");
        QTest::addColumn<int>("exam");
        QTest::newRow("0") << 0 << 7 << 3;
        QTest::newRow("5") << 5 << 7 << 3;
        QTest::newRow("9") << 9 << 7 << 3;
        QTest::newRow("10") << 10 << 5 << 3;
        QTest::newRow("45") << 45 << 5 << 3;
        QTest::newRow("99") << 99 << 5 << 3;
        QTest::newRow("100") << 100 << 3 << 3;
    }
    void indents()
    {
        QFETCH(int, score);
        QFETCH(int, test);
        QFETCH(int, exam);
        QCOMPARE(ResultRows::testIndent(score), test);
        QCOMPARE(ResultRows::examIndent(score), exam);
    }

    void windowFollowsTheLayout()
    {
        Form5 *form = m_program->form5();
        QCOMPARE(form->objectName(), QStringLiteral("Form5"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Tulokset"));
        QVERIFY(!form->windowIcon().isNull());
        QCOMPARE(form->client()->size(), QSize(832, 336)); // 12480 x 5040 twips
        QCOMPARE(form->client()->palette().color(QPalette::Window), QColor(255, 255, 255));
        for (const Layout::Control &spec : Form5Layout::controls()) {
            auto *widget = form->findChild<QWidget *>(Layout::objectName(spec));
            QVERIFY2(widget, qPrintable(Layout::objectName(spec)));
            const QRect r = Layout::rectTwips(widget);
            QVERIFY2(qAbs(r.left() - spec.left) <= 7 && qAbs(r.top() - spec.top) <= 7 &&
                         qAbs(r.width() - spec.width) <= 15 && qAbs(r.height() - spec.height) <= 15,
                     qPrintable(Layout::objectName(spec)));
        }
        QCOMPARE(form->Label3[0]->caption(), QStringLiteral("Sanasto"));
        QCOMPARE(form->Label3[1]->caption(), QStringLiteral("Testi"));
        QCOMPARE(form->Label3[2]->caption(), QStringLiteral("Koe"));
        QCOMPARE(form->List2->palette().color(QPalette::Base), QColor(255, 255, 192));
        QCOMPARE(form->Shape1[2]->fillColor(), QColor(128, 128, 128));
        QCOMPARE(form->Shape1[2]->kind(), ShapeWidget::Kind::FilledRectangle);

        // The shadows lie beneath the lists.
        const QObjectList children = form->client()->children();
        for (int i = 0; i <= 2; ++i)
            for (QWidget *list : {form->List1, form->List2, form->List3})
                QVERIFY(children.indexOf(form->Shape1[i]) < children.indexOf(list));

        // Tab order: List1, List2, List3.
        QList<QWidget *> order;
        QWidget *w = form->List1;
        do {
            if (w == form->List1 || w == form->List2 || w == form->List3)
                order.append(w);
            w = w->nextInFocusChain();
        } while (w != form->List1);
        QCOMPARE(order, QList<QWidget *>({form->List1, form->List2, form->List3}));
    }

    void firstOpeningShowsTheFirstVocabulary()
    {
        QCOMPARE(m_program->state().Vocabulary_Index, 0);
        Form5 *form = activatedForm5();
        QVERIFY(form);
        QCOMPARE(m_program->state().Vocabulary_Index, 1);
        QCOMPARE(form->windowTitle(),
                 centredTitle(form->outerWidthTwips(), 120, QStringLiteral("Tulokset")));
        QVERIFY(form->windowTitle().startsWith(blanks(100)));

        QCOMPARE(form->List2->count(), 15);
        QCOMPARE(form->List2->itemText(0), QStringLiteral(" Tietokone"));
        QCOMPARE(form->List2->itemText(14), QStringLiteral(" Asentaja"));
        QCOMPARE(form->List2->listIndex(), 0);
        QCOMPARE(form->List2->text(), QStringLiteral(" Tietokone"));

        QCOMPARE(form->List1->count(), 102);
        QCOMPARE(form->List3->count(), 102);
        QCOMPARE(form->List1->itemText(0), ResultRows::testHeading());
        QCOMPARE(form->List3->itemText(0), ResultRows::examHeading());
        QCOMPARE(form->List1->itemText(1), QString());
        QCOMPARE(form->List3->itemText(1), QString());
        const QString never = blanks(10) + "\t" + blanks(5);
        QCOMPARE(form->List1->itemText(2), "  1\t" + blanks(8) + "0\t" + never);
        QCOMPARE(form->List1->itemText(101), "  100\t" + blanks(8) + "0\t" + never);
        QCOMPARE(form->List3->itemText(101), blanks(5) + "0\t" + never);
    }

    void tablesShowTheCurrentVocabularysRecords()
    {
        Shared_State &state = m_program->state();
        m_program->form1(); // loads the results
        Store_Result_Entry(state.Result_Lines, 3, 2, 90, christmasEve);
        Store_Result_Entry(state.Result_Lines, 18, 1, 100, christmasEve);
        state.Vocabulary_Index = 3;

        Form5 *form = activatedForm5();
        QVERIFY(form);
        QCOMPARE(state.Vocabulary_Index, 3);
        QCOMPARE(form->List2->listIndex(), 2);
        QCOMPARE(form->List1->itemText(3), "  2\t" + blanks(6) + "90\t24-12-2023\t14:05");
        QCOMPARE(form->List3->itemText(2), blanks(5) + "100\t24-12-2023\t14:05");

        // Another vocabulary in the list shows its tables and leaves the current one alone.
        form->List2->setCurrentRow(0);
        QCOMPARE(form->List1->count(), 102);
        QCOMPARE(form->List1->itemText(3),
                 "  2\t" + blanks(8) + "0\t" + blanks(10) + "\t" + blanks(5));
        QCOMPARE(form->List3->itemText(2), blanks(5) + "0\t" + blanks(10) + "\t" + blanks(5));
        QCOMPARE(state.Vocabulary_Index, 3);

        // Coming back from the main window shows the current vocabulary again.
        activate(m_program->form1());
        activate(form);
        QCOMPARE(form->List2->listIndex(), 2);
        QCOMPARE(form->List2->count(), 15);
        QCOMPARE(form->List1->itemText(3), "  2\t" + blanks(6) + "90\t24-12-2023\t14:05");
    }

    void tablesAreASnapshotUntilTheNextActivation()
    {
        Form5 *form = activatedForm5();
        QVERIFY(form);
        Shared_State &state = m_program->state();
        Store_Result_Entry(state.Result_Lines, 1, 1, 85, christmasEve);
        QCOMPARE(form->List1->itemText(2).section(QLatin1Char('\t'), 1, 1), blanks(8) + "0");

        activate(m_program->form1());
        activate(form);
        QCOMPARE(form->List1->itemText(2).section(QLatin1Char('\t'), 1, 1), blanks(6) + "85");
    }

    void scoresLineUpInTheirColumns()
    {
        Form5 *form = m_program->form5();
        const QFontMetricsF metrics(form->List1->font());
        if (qAbs(metrics.horizontalAdvance(QLatin1Char('0')) -
                 2 * metrics.horizontalAdvance(QLatin1Char(' '))) > 0.5)
            QSKIP("the list's font has no digits two blanks wide");
        // The test table's scores end at one edge, the exam table's start at one edge.
        const auto field = [](const QString &row, int index) {
            return row.section(QLatin1Char('\t'), index, index);
        };
        const qreal testEnd = metrics.horizontalAdvance(
            field(ResultRows::testRow(lineWith(1, 45, christmasEve), 1), 1));
        for (int score : {0, 5, 99, 100})
            QVERIFY2(qAbs(metrics.horizontalAdvance(
                              field(ResultRows::testRow(lineWith(1, score, christmasEve), 1), 1)) -
                          testEnd) < 1.5,
                     qPrintable(QString::number(score)));
        for (int score : {0, 45, 100}) {
            const QString row = ResultRows::examRow(lineWith(1, score, christmasEve), 1);
            QCOMPARE(row.indexOf(QString::number(score)), 5);
        }
    }

    void buttonShowsAndHidesTheWindow()
    {
        Form5 *form = activatedForm5();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(m_program->form5(), form);

        // Behind the main window it still counts as shown: the button hides it.
        activate(m_program->form1());
        toggleWindow(form);
        QVERIFY(!form->isVisible());

        m_program->state().Vocabulary_Index = 5;
        toggleWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->List2->listIndex(), 4);

        // Closed from its frame, it only hides, and the button shows it again.
        form->close();
        QVERIFY(!form->isVisible());
        activate(m_program->form1());
        toggleWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->List1->count(), 102);

        toggleWindow(nullptr);
    }
};

QTEST_MAIN(TestResultsWindow)
#include "tst_resultswindow.moc"
