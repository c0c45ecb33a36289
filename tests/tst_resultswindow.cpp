#include "main/resultsfile.h"
#include "main/textrules.h"
#include "programfixture.h"
#include "results/form5.h"
#include "results/form5layout.h"
#include "results/resultrows.h"

#include <QFontMetricsF>

#include <memory>

namespace {

const QDateTime christmasEve(QDate(2023, 12, 24), QTime(14, 5, 59));

// A results line of blanks with one entry stored.
QByteArray lineWith(int slot, int score, const QDateTime &when = christmasEve)
{
    ResultLineArray lines;
    lines.dimension(1);
    lines.set(1, QByteArray(ResultsFile::lineLength, ' '));
    Store_Result_Entry(lines, 1, slot, score, when);
    return lines[1];
}

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

// A slot never written: score 0, no date, no time.
const QString never = "0\t" + blanks(10) + "\t" + blanks(5);

} // namespace

class TestResultsWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_fixture;

    Form5 *openedForm5()
    {
        Form5 *form = m_fixture->program().form5();
        return m_fixture->openFromForm1(form) ? form : nullptr;
    }

private slots:
    void init() { m_fixture = std::make_unique<ProgramFixture>(); }
    void cleanup() { m_fixture.reset(); }

    // The test row is the slot, the blanks that line the score up, score, date and time; the
    // exam row is the same without the slot, its scores starting at one edge.
    void rows_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("indent");
        QTest::addColumn<QString>("shown");

        const QString eve = "\t24-12-2023\t14:05";
        QTest::newRow("score 85, 24 December, 14:05") << lineWith(3, 85) << 3 << 6 << "85" + eve;
        QTest::newRow("never written slot 7")
            << QByteArray(ResultsFile::lineLength, ' ') << 7 << 8 << never;
        QTest::newRow("one digit") << lineWith(1, 5) << 1 << 8 << "5" + eve;
        QTest::newRow("9, widest of one digit") << lineWith(1, 9) << 1 << 8 << "9" + eve;
        QTest::newRow("10, two digits") << lineWith(1, 10) << 1 << 6 << "10" + eve;
        QTest::newRow("99, widest of two digits") << lineWith(1, 99) << 1 << 6 << "99" + eve;
        QTest::newRow("full score, byte 132") << lineWith(1, 100) << 1 << 4 << "100" + eve;
        QTest::newRow("byte 128 is 96, not negative") << lineWith(2, 96) << 2 << 6 << "96" + eve;
        QTest::newRow("day and month swap: 7 March")
            << lineWith(4, 80, QDateTime(QDate(2024, 3, 7), QTime(9, 0))) << 4 << 6
            << "80\t07-03-2024\t09:00";
        QTest::newRow("last slot, stamp at the line's end")
            << lineWith(100, 60) << 100 << 6 << "60" + eve;
        QTest::newRow("score 0 keeps its stamp") << lineWith(5, 0) << 5 << 8 << "0" + eve;

        // A damaged, short line: what is missing shows as never written.
        QTest::newRow("empty line") << QByteArray() << 1 << 8 << never;
        QTest::newRow("slot past a short line") << lineWith(60, 70).left(50) << 60 << 8 << never;
        QTest::newRow("line ends inside the stamp")
            << lineWith(2, 70).left(ResultsFile::stampStart(2) - 1 + 13) << 2 << 6
            << "70\t24-12-2023\t14:" + blanks(2);
        QTest::newRow("line ends inside the date")
            << lineWith(2, 70).left(ResultsFile::stampStart(2) - 1 + 4) << 2 << 6
            << "70\t2" + blanks(2) + "12-" + blanks(4) + "\t" + blanks(5);
    }
    void rows()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, slot);
        QFETCH(int, indent);
        QFETCH(QString, shown);
        QCOMPARE(ResultRows::testRow(line, slot),
                 QStringLiteral("  %1\t").arg(slot) + blanks(indent) + shown);
        QCOMPARE(ResultRows::examRow(line, slot), blanks(5) + shown);
    }

    void windowFollowsTheLayout()
    {
        Form5 *form = m_fixture->program().form5();
        QCOMPARE(form->windowTitle(), QStringLiteral("Tulokset"));
        QCOMPARE(form->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(form->client()->size(), QSize(832, 336)); // 12480 x 5040 twips
        QCOMPARE(form->client()->palette().color(QPalette::Window), QColor(255, 255, 255));
        ProgramFixture::checkLayout(form, Form5Layout::controls());
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
        QCOMPARE(m_fixture->state().Vocabulary_Index, 0);
        Form5 *form = openedForm5();
        QVERIFY(form);
        QCOMPARE(m_fixture->state().Vocabulary_Index, 1);
        QCOMPARE(form->windowTitle(),
                 centredTitle(form->outerWidthTwips(), 120, QStringLiteral("Tulokset")));
        QVERIFY(form->windowTitle().startsWith(blanks(100)));

        QCOMPARE(form->List2->count(), 15);
        QCOMPARE(form->List2->itemText(0), QStringLiteral(" Tietokone"));
        QCOMPARE(form->List2->itemText(14), QStringLiteral(" Asentaja"));
        QCOMPARE(form->List2->listIndex(), 0);
        QCOMPARE(form->List2->text(), QStringLiteral(" Tietokone"));

        // Heading, an empty line, then the rows of slots 1 to 100.
        QCOMPARE(form->List1->count(), 102);
        QCOMPARE(form->List3->count(), 102);
        QCOMPARE(form->List1->itemText(0), QStringLiteral(" Osa\tTulos\tPäivä\t\tAika"));
        QCOMPARE(form->List3->itemText(0), QStringLiteral(" Tulos\tPäivä\t\tAika"));
        QCOMPARE(form->List1->itemText(1), QString());
        QCOMPARE(form->List3->itemText(1), QString());
        QCOMPARE(form->List1->itemText(2), "  1\t" + blanks(8) + never);
        QCOMPARE(form->List1->itemText(101), "  100\t" + blanks(8) + never);
        QCOMPARE(form->List3->itemText(101), blanks(5) + never);
    }

    void tablesShowTheCurrentVocabularysRecords()
    {
        Shared_State &state = m_fixture->state();
        m_fixture->form1(); // loads the results
        Store_Result_Entry(state.Result_Lines, 3, 2, 90, christmasEve);
        Store_Result_Entry(state.Result_Lines, 18, 1, 100, christmasEve);
        state.Vocabulary_Index = 3;

        Form5 *form = openedForm5();
        QVERIFY(form);
        QCOMPARE(state.Vocabulary_Index, 3);
        QCOMPARE(form->List2->listIndex(), 2);
        QCOMPARE(form->List1->itemText(3), "  2\t" + blanks(6) + "90\t24-12-2023\t14:05");
        QCOMPARE(form->List3->itemText(2), blanks(5) + "100\t24-12-2023\t14:05");

        // Another vocabulary in the list shows its tables and leaves the current one alone.
        form->List2->setCurrentRow(0);
        QCOMPARE(form->List1->count(), 102);
        QCOMPARE(form->List1->itemText(3), "  2\t" + blanks(8) + never);
        QCOMPARE(form->List3->itemText(2), blanks(5) + never);
        QCOMPARE(state.Vocabulary_Index, 3);

        // Coming back from the main window shows the current vocabulary again.
        QVERIFY(ProgramFixture::activate(m_fixture->form1()));
        QVERIFY(ProgramFixture::activate(form));
        QCOMPARE(form->List2->listIndex(), 2);
        QCOMPARE(form->List2->count(), 15);
        QCOMPARE(form->List1->itemText(3), "  2\t" + blanks(6) + "90\t24-12-2023\t14:05");
    }

    void tablesAreASnapshotUntilTheNextActivation()
    {
        Form5 *form = openedForm5();
        QVERIFY(form);
        Store_Result_Entry(m_fixture->state().Result_Lines, 1, 1, 85, christmasEve);
        QCOMPARE(form->List1->itemText(2), "  1\t" + blanks(8) + never);

        QVERIFY(ProgramFixture::activate(m_fixture->form1()));
        QVERIFY(ProgramFixture::activate(form));
        QCOMPARE(form->List1->itemText(2), "  1\t" + blanks(6) + "85\t24-12-2023\t14:05");
    }

    // The blanks of the test table put the scores' right edges in line only where a digit is
    // as wide as two blanks, as in the list's font.
    void scoresLineUpInTheirColumns()
    {
        const QFontMetricsF metrics(m_fixture->program().form5()->List1->font());
        if (qAbs(metrics.horizontalAdvance(QLatin1Char('0')) -
                 2 * metrics.horizontalAdvance(QLatin1Char(' '))) > 0.5)
            QSKIP("the list's font has no digits two blanks wide");
        const auto scoreWidth = [&](int score) {
            const QString row = ResultRows::testRow(lineWith(1, score), 1);
            return metrics.horizontalAdvance(row.section(QLatin1Char('\t'), 1, 1));
        };
        for (int score : {0, 5, 99, 100})
            QVERIFY2(qAbs(scoreWidth(score) - scoreWidth(45)) < 1.5,
                     qPrintable(QString::number(score)));
    }

    void buttonShowsAndHidesTheWindow()
    {
        Form5 *form = openedForm5();
        QVERIFY(form);
        QCOMPARE(m_fixture->program().form5(), form);

        // Behind the main window it still counts as shown: the button hides it.
        QVERIFY(ProgramFixture::activate(m_fixture->form1()));
        toggleWindow(form);
        QVERIFY(!form->isVisible());

        m_fixture->state().Vocabulary_Index = 5;
        toggleWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->List2->listIndex(), 4);

        // Closed from its frame, it only hides, and the button shows it again.
        form->close();
        QVERIFY(!form->isVisible());
        QVERIFY(m_fixture->openFromForm1(form));
        QCOMPARE(form->List1->count(), 102);

        toggleWindow(nullptr);
    }
};

QTEST_MAIN(TestResultsWindow)
#include "tst_resultswindow.moc"
