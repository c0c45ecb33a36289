#include "exam/examscoring.h"
#include "exam/form2.h"
#include "exam/form2layout.h"
#include "main/form1.h"
#include "main/program.h"
#include "main/resultsfile.h"
#include "main/textrules.h"
#include "platform/codepage.h"
#include "programfixture.h"

#include <QSet>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// Vocabulary 1: "sähköK johto" answers the prompt "virtaK", K = 1 to 100.
QString expectedFor(const QString &prompt)
{
    return QStringLiteral("sähkö%1 johto").arg(prompt.mid(5));
}

QStringList listTexts(const ListBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_fixture;
    Form1 *m_form1 = nullptr;
    Form2 *m_form2 = nullptr;

    // Word lines carry a third field, which the exam must cut off.
    void writeDatabase(const QStringList &vocabulary3)
    {
        QStringList vocabulary4 = ProgramFixture::section(4, 100, QStringLiteral("neljä%1"),
                                                          QStringLiteral("four%1\\huom"));
        vocabulary4[0] = QStringLiteral(" #4"); // the set browser finds this header, the exam not
        m_fixture->writeDatabase(ProgramFixture::section(1, 100, QStringLiteral("sähkö%1 johto"),
                                                         QStringLiteral("virta%1\\huom")) +
                                 ProgramFixture::section(2, 50, QStringLiteral("pieni%1"),
                                                         QStringLiteral("small%1\\huom")) +
                                 vocabulary3 + QStringList{"#"} + vocabulary4 + QStringList{"#"});
    }

    ExamTable &table() { return m_fixture->state().Exam_Table; }
    const ByteTextArray &resultLines() { return m_fixture->state().Result_Lines; }
    QString resultsPath() const { return m_fixture->path(QStringLiteral("KTresults.txt")); }
    QByteArray resultsFile() const { return m_fixture->readFile(QStringLiteral("KTresults.txt")); }
    TextBox *answerBox() { return m_form2->Text1[1]; }
    TextBox *promptBox() { return m_form2->Text1[0]; }
    ListBox *leftList() { return m_form2->List1[0]; }
    ListBox *rightList() { return m_form2->List1[1]; }
    void check() { QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton); }

    // Chooses the vocabulary from the main window's menu and clicks "Koe".
    void openExam(int vocabulary)
    {
        m_form1 = m_fixture->form1();
        QVERIFY(ProgramFixture::activate(m_form1));
        m_form1->Menu1_Click(vocabulary);
        m_form1->Label2_Click(3); // "Koe"
        m_form2 = m_fixture->program().form2();
        QVERIFY(QTest::qWaitForWindowActive(m_form2));
    }

    // Brings the main window to the front and then the exam window again.
    void comeBack()
    {
        m_form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form1));
        m_form2->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form2));
    }

    static void enter(QWidget *box, const QString &text)
    {
        ProgramFixture::type(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // Selects the first row and answers every row in turn with Enter.
    void answerRows(const std::function<QString(int, const QString &)> &answerFor)
    {
        QTest::keyClick(answerBox(), Qt::Key_Down);
        for (int row = 1; row <= 100; ++row) {
            QCOMPARE(leftList()->listIndex(), row - 1);
            enter(answerBox(), answerFor(row, expectedFor(leftList()->itemText(row - 1))));
        }
    }

    static void clickLine(ListBox *list, int line)
    {
        QListWidgetItem *item = list->item(line);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<ProgramFixture>();
        writeDatabase(
            ProgramFixture::section(3, 150, QStringLiteral("kolme%1"), QStringLiteral("three%1")));
        // Test line 1 holds three passed sets.
        QByteArray results = ResultsFile::blankFile();
        results.replace(0, 3, "ppp");
        m_fixture->writeFile(QStringLiteral("KTresults.txt"), results);
        m_fixture->program().random().fixSeed(2024);
    }
    void cleanup()
    {
        m_fixture.reset();
        m_form1 = nullptr;
        m_form2 = nullptr;
    }

    void controlsStandWhereTheLayoutSays()
    {
        Form2 *form = m_fixture->program().form2();
        QCOMPARE(form->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(form->client()->size(), QSize(784, 418)); // 11760 x 6270 twips
        ProgramFixture::checkLayout(form, Form2Layout::controls());
        QCOMPARE(form->Label6[0]->caption(), QStringLiteral("TAKAISIN"));
        QCOMPARE(form->Label6[1]->caption(), QStringLiteral("TARKISTA"));
        QVERIFY(!form->Image2->pixmap().isNull());
        QCOMPARE(form->Text1[0]->palette().color(QPalette::Text), QColor(0, 0, 255));

        // The banner lies behind the labels and each button in front of its frame.
        const QObjectList children = form->client()->children();
        const auto position = [&](QObject *o) { return children.indexOf(o); };
        QVERIFY(position(form->Image2) < position(form->Label3[0]));
        QVERIFY(position(form->Image1) < position(form->Label6[0]));
        for (int i = 0; i <= 1; ++i)
            QVERIFY(position(form->Shape3[i]) < position(form->Label6[i]));
    }

    void activationDrawsEveryLineOnce()
    {
        openExam(1);
        QCOMPARE(m_form2->windowTitle(),
                 centredTitle(m_form2->outerWidthTwips(), 120, QStringLiteral("KOE")));
        QVERIFY(m_form2->windowTitle().startsWith(QStringLiteral("      ")));
        QCOMPARE(m_form2->Label4->caption(), QStringLiteral("Tietokone"));

        // Every prompt once, beside the mask of its answer.
        QCOMPARE(leftList()->count(), 100);
        QCOMPARE(rightList()->count(), 100);
        QSet<QString> prompts;
        for (int line = 0; line < 100; ++line) {
            const QString prompt = leftList()->itemText(line);
            prompts.insert(prompt);
            QCOMPARE(table().at(ExamTable::Prompt, line + 1), prompt);
            QCOMPARE(table().at(ExamTable::Expected_Answer, line + 1), expectedFor(prompt));
            QCOMPARE(table().at(ExamTable::Typed_Answer, line + 1), QString());
            const QString mask =
                QString(expectedFor(prompt).size() - 6, QLatin1Char('?')) + " ?????";
            QCOMPARE(rightList()->itemText(line), mask);
        }
        QSet<QString> all;
        for (int k = 1; k <= 100; ++k)
            all.insert(QStringLiteral("virta%1").arg(k));
        QCOMPARE(prompts, all);
        QVERIFY(leftList()->itemText(0) != QStringLiteral("virta1") ||
                leftList()->itemText(1) != QStringLiteral("virta2"));

        QCOMPARE(leftList()->listIndex(), -1);
        QCOMPARE(rightList()->listIndex(), -1);
        QCOMPARE(promptBox()->text(), QLatin1Char(' ') + leftList()->itemText(0));
        QCOMPARE(answerBox()->text(), QString());
        QVERIFY(answerBox()->hasFocus());
        QVERIFY(m_form2->Label2[0]->isHidden() && m_form2->Label2[1]->isHidden());
        QVERIFY(m_form2->Label5->isHidden());

        // The main window's set words are emptied until a set is loaded again.
        const Shared_State &state = m_fixture->state();
        QCOMPARE(state.Left_Words.upperBound(), 100);
        QCOMPARE(state.Right_Words.upperBound(), 100);
        for (int i = 0; i <= 100; ++i)
            QVERIFY(state.Left_Words.at(i).isEmpty() && state.Right_Words.at(i).isEmpty());
    }

    void comingBackDrawsANewExamFromTheFile()
    {
        openExam(3);
        QSet<QString> prompts;
        for (int line = 0; line < 100; ++line)
            prompts.insert(leftList()->itemText(line));
        QCOMPARE(prompts.size(), 100);
        for (const QString &prompt : prompts) {
            const int k = prompt.mid(5).toInt();
            QVERIFY2(prompt.startsWith(QStringLiteral("three")) && k >= 1 && k <= 150,
                     qPrintable(prompt));
        }
        const QStringList first = listTexts(leftList());
        enter(answerBox(), QStringLiteral("x"));
        enter(answerBox(), QStringLiteral("vastaus"));
        QCOMPARE(table().at(ExamTable::Typed_Answer, 1), QStringLiteral("vastaus"));

        // With the seed fixed the same draw comes again, and the answers are gone.
        comeBack();
        QCOMPARE(listTexts(leftList()), first);
        QCOMPARE(table().at(ExamTable::Typed_Answer, 1), QString());
        QCOMPARE(leftList()->listIndex(), -1);

        // The section is read from the file at every activation.
        writeDatabase(
            ProgramFixture::section(3, 150, QStringLiteral("uusi%1"), QStringLiteral("new%1")));
        comeBack();
        QVERIFY(leftList()->itemText(0).startsWith(QStringLiteral("new")));
    }

    void enterStoresTheAnswerAndMovesDown()
    {
        openExam(1);
        const QString firstMask = rightList()->itemText(0);
        QTest::keyClick(answerBox(), Qt::Key_Up);
        QCOMPARE(leftList()->listIndex(), -1);

        // Nothing selected yet: the answer goes to row 0, and Enter selects the first line.
        enter(answerBox(), QStringLiteral("hukassa"));
        QCOMPARE(table().at(ExamTable::Typed_Answer, 0), QStringLiteral("hukassa"));
        QCOMPARE(leftList()->listIndex(), 0);
        QCOMPARE(rightList()->listIndex(), 0);
        QCOMPARE(rightList()->itemText(0), firstMask);
        QCOMPARE(promptBox()->text(), leftList()->itemText(0));
        QCOMPARE(answerBox()->text(), QString());

        // Stored and shown trimmed; blanks inside stay.
        enter(answerBox(), QStringLiteral("  sähkö  johto "));
        QCOMPARE(table().at(ExamTable::Typed_Answer, 1), QStringLiteral("sähkö  johto"));
        QCOMPARE(rightList()->itemText(0), QStringLiteral("sähkö  johto"));
        QCOMPARE(leftList()->listIndex(), 1);
        QCOMPARE(rightList()->listIndex(), 1);
        QCOMPARE(promptBox()->text(), leftList()->itemText(1));
        QVERIFY(answerBox()->hasFocus());

        // Text left without Enter is discarded.
        ProgramFixture::type(answerBox(), QStringLiteral("kesken"));
        QTest::keyClick(answerBox(), Qt::Key_Up);
        QCOMPARE(leftList()->listIndex(), 0);
        QCOMPARE(rightList()->listIndex(), 0);
        QCOMPARE(answerBox()->text(), QStringLiteral("sähkö  johto"));
        QCOMPARE(table().at(ExamTable::Typed_Answer, 2), QString());
        QTest::keyClick(answerBox(), Qt::Key_Up);
        QCOMPARE(leftList()->listIndex(), 0);

        // A blank answer clears the row but leaves its line as it was.
        answerBox()->clear();
        enter(answerBox(), QStringLiteral("   "));
        QCOMPARE(table().at(ExamTable::Typed_Answer, 1), QString());
        QCOMPARE(rightList()->itemText(0), QStringLiteral("sähkö  johto"));
        QCOMPARE(leftList()->listIndex(), 1);

        // The prompt box's keys act as the answer box's, and Enter there stores the answer box.
        answerBox()->setText(QStringLiteral("kaksi"));
        promptBox()->setFocus();
        QTest::keyClick(promptBox(), Qt::Key_Return);
        QCOMPARE(table().at(ExamTable::Typed_Answer, 2), QStringLiteral("kaksi"));
        QCOMPARE(leftList()->listIndex(), 2);
        QVERIFY(answerBox()->hasFocus());
        QTest::keyClick(promptBox(), Qt::Key_Up);
        QCOMPARE(leftList()->listIndex(), 1);
        QCOMPARE(answerBox()->text(), QStringLiteral("kaksi"));

        // The last line: stored, and the box keeps the text as typed.
        for (int i = 0; i < 98; ++i)
            QTest::keyClick(answerBox(), Qt::Key_Down);
        QCOMPARE(leftList()->listIndex(), 99);
        QTest::keyClick(answerBox(), Qt::Key_Down);
        QCOMPARE(leftList()->listIndex(), 99);
        enter(answerBox(), QStringLiteral(" viimeinen "));
        QCOMPARE(table().at(ExamTable::Typed_Answer, 100), QStringLiteral("viimeinen"));
        QCOMPARE(rightList()->itemText(99), QStringLiteral("viimeinen"));
        QCOMPARE(leftList()->listIndex(), 99);
        QCOMPARE(answerBox()->text(), QStringLiteral(" viimeinen "));
    }

    void clicksSelectOnlyTheirOwnList()
    {
        openExam(1);
        // With nothing selected, a click on the right list shows row 0.
        table().set(ExamTable::Typed_Answer, 0, QStringLiteral("nolla"));
        clickLine(rightList(), 3);
        QCOMPARE(leftList()->listIndex(), -1);
        QCOMPARE(promptBox()->text(), QString());
        QCOMPARE(answerBox()->text(), QStringLiteral("nolla"));

        answerBox()->clear();
        enter(answerBox(), QString());
        enter(answerBox(), QStringLiteral("yksi"));
        enter(answerBox(), QStringLiteral("kaksi"));
        enter(answerBox(), QStringLiteral("kolme"));
        QCOMPARE(rightList()->listIndex(), 3);

        clickLine(leftList(), 1);
        QCOMPARE(leftList()->listIndex(), 1);
        QCOMPARE(rightList()->listIndex(), 3);
        QCOMPARE(promptBox()->text(), leftList()->itemText(1));
        QCOMPARE(answerBox()->text(), QStringLiteral("kaksi"));
        QVERIFY(answerBox()->hasFocus());

        // The right list's highlight moves, the boxes stay with the left list's row.
        clickLine(rightList(), 5);
        QCOMPARE(rightList()->listIndex(), 5);
        QCOMPARE(leftList()->listIndex(), 1);
        QCOMPARE(promptBox()->text(), leftList()->itemText(1));
        QCOMPARE(answerBox()->text(), QStringLiteral("kaksi"));
        answerBox()->clear();
        enter(answerBox(), QStringLiteral("toinen"));
        QCOMPARE(table().at(ExamTable::Typed_Answer, 2), QStringLiteral("toinen"));
        QCOMPARE(rightList()->listIndex(), 2);
    }

    void tabIntoAListSelectsNothing()
    {
        openExam(1);
        const QString prompt = promptBox()->text();
        ProgramFixture::type(answerBox(), QStringLiteral("kesken"));
        QTest::keyClick(answerBox(), Qt::Key_Tab);
        QVERIFY(leftList()->hasFocus());
        QCOMPARE(leftList()->listIndex(), -1);
        QCOMPARE(promptBox()->text(), prompt);
        QCOMPARE(answerBox()->text(), QStringLiteral("kesken"));
    }

    void checkScoresShowsAndRecords()
    {
        openExam(1);
        const QByteArray before = resultsFile();
        answerRows([](int row, const QString &expected) {
            if (row <= 57)
                return row % 2 ? expected : QLatin1Char(' ') + expected + QLatin1Char(' ');
            if (row == 58)
                return expected.toUpper(); // case counts
            if (row == 59)
                return expected.left(expected.size() - 1); // so does every letter
            return row % 3 ? QStringLiteral("väärin") : QString();
        });
        // Row 0 is never scored.
        table().set(ExamTable::Expected_Answer, 0, QString());

        const QDateTime start = QDateTime::currentDateTime();
        check();
        const QDateTime end = QDateTime::currentDateTime();

        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("57/100"));
        QCOMPARE(m_form2->Label2[1]->caption(), QStringLiteral("57/100"));
        QVERIFY(!m_form2->Label2[0]->isHidden() && !m_form2->Label2[1]->isHidden());
        QCOMPARE(m_form2->Label5->caption(), QStringLiteral("Harjoittele vielä"));
        QVERIFY(!m_form2->Label5->isHidden());

        // Each row as typed beside its expected answer, in drawing order.
        QCOMPARE(rightList()->count(), 100);
        QCOMPARE(rightList()->listIndex(), -1);
        for (int row = 1; row <= 100; ++row)
            QCOMPARE(rightList()->itemText(row - 1),
                     ExamScoring::resultLine(table().at(ExamTable::Typed_Answer, row),
                                             table().at(ExamTable::Expected_Answer, row)));
        QCOMPARE(rightList()->itemText(59), // row 60: unanswered
                 QStringLiteral("\t(") + expectedFor(leftList()->itemText(59)) + QLatin1Char(')'));

        // Slot 1 of the exam line of vocabulary 1 (line 16), with its stamp.
        const QByteArray line = resultLines().at(16);
        QCOMPARE(line.size(), 1600);
        QCOMPARE(line.at(0), char(32 + 57));
        const QByteArray stamp = line.mid(100, 15);
        QVERIFY2(stamp == ResultsFile::stamp(start) || stamp == ResultsFile::stamp(end),
                 stamp.constData());
        QCOMPARE(line.mid(1, 99), QByteArray(99, ' '));
        QCOMPARE(line.mid(115), QByteArray(1600 - 115, ' '));

        // The file holds all 30 lines; only line 16 changed.
        const QList<QByteArray> fileLines = TextLines::split(resultsFile());
        const QList<QByteArray> oldLines = TextLines::split(before);
        QCOMPARE(fileLines.size(), 30);
        for (int i = 1; i <= 30; ++i)
            QCOMPARE(fileLines.at(i - 1), i == 16 ? line : oldLines.at(i - 1));
        QCOMPARE(fileLines.at(0).left(3), QByteArray("ppp"));

        // A second check changes nothing, and writes no file.
        const QStringList shown = listTexts(rightList());
        QVERIFY(QFile::remove(resultsPath()));
        check();
        QCOMPARE(listTexts(rightList()), shown);
        QCOMPARE(resultLines().at(16), line);
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("57/100"));
        QVERIFY(!QFile::exists(resultsPath()));

        // Answers may still be entered; the score stands.
        QCOMPARE(leftList()->listIndex(), 99);
        answerBox()->clear();
        enter(answerBox(), QStringLiteral("myöhässä"));
        QCOMPARE(rightList()->itemText(99), QStringLiteral("myöhässä"));
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("57/100"));
    }

    void everyExamTakesTheFirstFreeSlot()
    {
        openExam(1);
        answerRows([](int, const QString &expected) { return expected; });
        check();
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("100/100"));
        QCOMPARE(m_form2->Label5->caption(), QStringLiteral("Onneksi olkoon"));
        QCOMPARE(uchar(resultLines().at(16).at(0)), uchar(132));

        // A new activation starts unscored; an exam scored 0 takes slot 2 and leaves it free.
        comeBack();
        QVERIFY(m_form2->Label2[0]->isHidden() && m_form2->Label5->isHidden());
        check();
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("0/100"));
        QCOMPARE(resultLines().at(16).at(1), ' ');
        QVERIFY(resultLines().at(16).mid(115, 15).trimmed().size() == 15);

        comeBack();
        enter(answerBox(), QString());
        enter(answerBox(), expectedFor(leftList()->itemText(0)));
        check();
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("1/100"));
        QCOMPARE(resultLines().at(16).left(3), QByteArray("\x84! "));

        // Exams of another vocabulary go to its own line.
        m_form2->hide();
        openExam(3);
        check();
        QCOMPARE(resultLines().at(18).left(1), QByteArray(" "));
        QVERIFY(resultLines().at(18).mid(100, 15).trimmed().size() == 15);
        QCOMPARE(resultLines().at(16).left(3), QByteArray("\x84! "));
        QCOMPARE(TextLines::split(resultsFile()).at(15).left(3), QByteArray("\x84! "));
    }

    void backReturnsToTheMainWindowAndRecordsNothing()
    {
        openExam(1);
        const QByteArray before = resultsFile();
        answerRows([](int, const QString &expected) { return expected; });
        QTest::mouseClick(m_form2->Label6[0], Qt::LeftButton);
        QVERIFY(m_form2->isHidden());
        QVERIFY(QTest::qWaitForWindowActive(m_form1));
        QCOMPARE(resultLines().at(16), QByteArray(1600, ' '));
        QCOMPARE(resultsFile(), before);

        // "Koe" again: a new exam, unscored.
        QVERIFY(ProgramFixture::activate(m_form2));
        QCOMPARE(table().at(ExamTable::Typed_Answer, 1), QString());
        QCOMPARE(leftList()->count(), 100);
    }

    // A record with no free slot is left alone; only one whose 100 slots all hold exams says so.
    // The record is this copy's, or (with a line in the file) another copy filled the last free
    // slot after this one loaded it.
    void aRecordWithoutAFreeSlotIsLeftAlone_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("inFile");
        QTest::addColumn<QString>("notice");
        QByteArray full(1600, ' ');
        full.replace(0, 100, QByteArray(100, 'x'));
        QByteArray scoreOfNul = full, lastFree = full;
        scoreOfNul[42] = '\0';
        lastFree[99] = ' ';
        QTest::newRow("full") << full << QByteArray() << Form2::recordFullText;
        QTest::newRow("NUL-filled line")
            << QByteArray(1600, '\0') << QByteArray() << Form2::notSavedText;
        QTest::newRow("scores without stamps")
            << full.left(100) << QByteArray() << Form2::notSavedText;
        QTest::newRow("stamps cut short") << full.left(1000) << QByteArray() << Form2::notSavedText;
        QTest::newRow("one score byte is no score")
            << scoreOfNul << QByteArray() << Form2::notSavedText;
        QTest::newRow("another copy filled the last slot")
            << lastFree << full << Form2::recordFullText;
    }
    void aRecordWithoutAFreeSlotIsLeftAlone()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, inFile);
        QFETCH(QString, notice);
        openExam(1);
        m_fixture->state().Result_Lines.set(16, record);
        QList<QByteArray> file = TextLines::split(resultsFile());
        if (inFile.isNull()) {
            QVERIFY(QFile::remove(resultsPath()));
        } else {
            file[15] = inFile;
            m_fixture->writeFile(QStringLiteral("KTresults.txt"), TextLines::join(file));
        }

        check();
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("0/100"));
        QVERIFY(!m_form2->Label5->isHidden());
        QCOMPARE(resultLines().at(16), inFile.isNull() ? record : inFile);
        QCOMPARE(promptBox()->text(), notice);
        if (inFile.isNull())
            QVERIFY(!QFile::exists(resultsPath()));
        else
            QCOMPARE(resultsFile(), TextLines::join(file));
    }

    void aFailedSaveIsReported()
    {
        openExam(1);
        enter(answerBox(), QString());
        enter(answerBox(), expectedFor(leftList()->itemText(0)));
        // A folder where the file should be: nothing can be written there.
        QVERIFY(QFile::remove(resultsPath()));
        QVERIFY(QDir().mkdir(resultsPath()));

        check();
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("1/100"));
        QCOMPARE(promptBox()->text(), Form2::notSavedText);
        // The record stays in memory, for the next save to write.
        QCOMPARE(resultLines().at(16).at(0), char(32 + 1));
    }

    void noExamWithoutAHundredWords_data()
    {
        QTest::addColumn<int>("vocabulary");
        QTest::addColumn<int>("setCount");
        QTest::addColumn<QString>("explanation");
        QTest::newRow("five sets") << 2 << 5 << Form2::tooFewWordsText;
        // The set browser finds the section, the exam does not.
        QTest::newRow("section the exam cannot find") << 4 << 10 << Form2::noSectionText;
    }
    void noExamWithoutAHundredWords()
    {
        QFETCH(int, vocabulary);
        QFETCH(int, setCount);
        QFETCH(QString, explanation);
        openExam(vocabulary);
        QCOMPARE(m_fixture->state().Set_Count, setCount);
        QCOMPARE(leftList()->count(), 0);
        QCOMPARE(rightList()->count(), 0);
        QCOMPARE(promptBox()->text(), explanation);

        // Keys leave the explanation in place, and there is nothing to score.
        enter(answerBox(), QStringLiteral("jotain"));
        QTest::keyClick(answerBox(), Qt::Key_Down);
        QTest::keyClick(answerBox(), Qt::Key_Up);
        QCOMPARE(promptBox()->text(), explanation);
        const QByteArray before = resultsFile();
        check();
        QVERIFY(m_form2->Label2[0]->isHidden());
        QVERIFY(m_form2->Label5->isHidden());
        QCOMPARE(resultLines().at(15 + vocabulary), QByteArray(1600, ' '));
        QCOMPARE(resultsFile(), before);
    }

    void theExplanationsFitTheirBox()
    {
        const TextBox *box = m_fixture->program().form2()->Text1[0];
        for (const QString &text : {Form2::noSectionText, Form2::tooFewWordsText,
                                    Form2::recordFullText, Form2::notSavedText})
            QVERIFY2(box->fontMetrics().horizontalAdvance(text) < box->width() - 8,
                     qPrintable(text));
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
