#include "exam/form2.h"
#include "exam/form2layout.h"
#include "main/form1.h"
#include "main/program.h"
#include "main/resultsfile.h"
#include "main/textrules.h"
#include "platform/codepage.h"
#include "platform/layout.h"
#include "platform/programend.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// Vocabulary 1: "sähköK johto" answers the prompt "virtaK", K = 1 to 100.
QString expectedFor(const QString &prompt)
{
    return QStringLiteral("sähkö%1 johto").arg(prompt.mid(5));
}

QStringList section(const QString &header, int count, const QString &left, const QString &right)
{
    QStringList lines{header};
    for (int k = 1; k <= count; ++k)
        lines << left.arg(k) + QLatin1Char('\\') + right.arg(k) + QStringLiteral("\\huom");
    return lines;
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

    QTemporaryDir *m_folder = nullptr;
    Program *m_program = nullptr;
    Form1 *m_form1 = nullptr;
    Form2 *m_form2 = nullptr;

    QString filePath(const char *name) const
    {
        return m_folder->filePath(QString::fromLatin1(name));
    }

    void writeFile(const char *name, const QByteArray &content)
    {
        QFile file(filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray readFile(const char *name) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeDatabase(const QStringList &vocabulary3)
    {
        QStringList lines;
        lines << section(QStringLiteral("#1"), 100, QStringLiteral("sähkö%1 johto"),
                         QStringLiteral("virta%1"))
              << section(QStringLiteral("#2"), 50, QStringLiteral("pieni%1"),
                         QStringLiteral("small%1"))
              << vocabulary3
              << QStringLiteral("#")
              // The set browser finds this header, the exam does not.
              << section(QStringLiteral(" #4"), 100, QStringLiteral("neljä%1"),
                         QStringLiteral("four%1"))
              << QStringLiteral("#");
        writeFile("Kielo Opinto Voc.db", CodePage::encode(lines.join(QStringLiteral("\r\n"))));
    }

    ExamTable &table() { return m_program->state().Exam_Table; }
    TextBox *answerBox() { return m_form2->Text1[1]; }
    TextBox *promptBox() { return m_form2->Text1[0]; }
    ListBox *leftList() { return m_form2->List1[0]; }
    ListBox *rightList() { return m_form2->List1[1]; }

    // Chooses the vocabulary from the main window's menu and clicks "Koe".
    void openExam(int vocabulary)
    {
        m_form1 = m_program->form1();
        m_form1->showForm();
        QVERIFY(QTest::qWaitForWindowActive(m_form1));
        m_form1->Menu1_Click(vocabulary);
        m_form1->Label2_Click(3); // "Koe"
        m_form2 = m_program->form2();
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

    // Types as keyClicks does, Finnish letters included.
    static void type(QWidget *box, const QString &text)
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key(ch.toUpper().unicode()), QString(ch),
                                Qt::NoModifier);
    }

    void enter(QWidget *box, const QString &text)
    {
        type(box, text);
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

    void clickLine(ListBox *list, int line)
    {
        QListWidgetItem *item = list->item(line);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
    }

private slots:
    void initTestCase()
    {
        ProgramEnd::setHandler([] {});
    }

    void init()
    {
        m_folder = new QTemporaryDir;
        QVERIFY(m_folder->isValid());
        writeDatabase(section(QStringLiteral("#3"), 150, QStringLiteral("kolme%1"),
                              QStringLiteral("three%1")));
        // A results file whose test line 1 holds three passed sets.
        QByteArray results = ResultsFile::blankFile();
        results.replace(0, 3, "ppp");
        writeFile("KTresults.txt", results);
        m_program = new Program({m_folder->path(), m_folder->path()});
        m_program->random().fixSeed(2024);
    }
    void cleanup()
    {
        delete m_program;
        m_program = nullptr;
        m_form1 = nullptr;
        m_form2 = nullptr;
        QDir::setCurrent(QDir::tempPath());
        delete m_folder;
    }

    void controlsStandWhereTheLayoutSays()
    {
        Form2 *form = m_program->form2();
        QCOMPARE(form->objectName(), QStringLiteral("Form2"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Kielotar Opinto"));
        QVERIFY(!form->windowIcon().isNull());
        QCOMPARE(form->client()->size(), QSize(784, 418)); // 11760 x 6270 twips
        for (const Layout::Control &spec : Form2Layout::controls()) {
            auto *widget = form->findChild<QWidget *>(Layout::objectName(spec));
            QVERIFY2(widget, qPrintable(Layout::objectName(spec)));
            const QRect r = Layout::rectTwips(widget);
            QVERIFY2(qAbs(r.left() - spec.left) <= 7 && qAbs(r.top() - spec.top) <= 7 &&
                         qAbs(r.width() - spec.width) <= 15 && qAbs(r.height() - spec.height) <= 15,
                     qPrintable(Layout::objectName(spec)));
            QCOMPARE(widget->isHidden(), !spec.visible);
        }
        QCOMPARE(form->Label6[0]->caption(), QStringLiteral("TAKAISIN"));
        QCOMPARE(form->Label6[1]->caption(), QStringLiteral("TARKISTA"));
        QCOMPARE(form->Label6[1]->font().family(), QStringLiteral("Arial Narrow"));
        QCOMPARE(form->Label3[0]->caption(), QStringLiteral("Kielotar"));
        QVERIFY(form->Label2[0]->isHidden() && form->Label2[1]->isHidden());
        QVERIFY(form->Label2[0]->font().bold());
        QVERIFY(!form->Label5->isHidden());
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
        QVERIFY(m_form2->windowTitle().endsWith(QStringLiteral(" KOE")));
        QCOMPARE(m_form2->Label4->caption(), QStringLiteral("Tietokone"));

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
        const Shared_State &state = m_program->state();
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
            section(QStringLiteral("#3"), 150, QStringLiteral("uusi%1"), QStringLiteral("new%1")));
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
        type(answerBox(), QStringLiteral("kesken"));
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

    void clickOnTheRightListWithNothingSelectedShowsRowZero()
    {
        openExam(1);
        table().set(ExamTable::Typed_Answer, 0, QStringLiteral("nolla"));
        clickLine(rightList(), 3);
        QCOMPARE(leftList()->listIndex(), -1);
        QCOMPARE(promptBox()->text(), QString());
        QCOMPARE(answerBox()->text(), QStringLiteral("nolla"));
    }

    void checkScoresShowsAndRecords()
    {
        openExam(1);
        const QByteArray before = readFile("KTresults.txt");
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
        QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton);
        const QDateTime end = QDateTime::currentDateTime();

        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("57/100"));
        QCOMPARE(m_form2->Label2[1]->caption(), QStringLiteral("57/100"));
        QVERIFY(!m_form2->Label2[0]->isHidden() && !m_form2->Label2[1]->isHidden());
        QCOMPARE(m_form2->Label5->caption(), QStringLiteral("Harjoittele vielä"));
        QVERIFY(!m_form2->Label5->isHidden());

        QCOMPARE(rightList()->count(), 100);
        QCOMPARE(rightList()->listIndex(), -1);
        for (int row = 1; row <= 100; ++row)
            QCOMPARE(rightList()->itemText(row - 1),
                     table().at(ExamTable::Typed_Answer, row) + QStringLiteral("\t(") +
                         table().at(ExamTable::Expected_Answer, row) + QLatin1Char(')'));
        QVERIFY(rightList()->itemText(59).startsWith(QLatin1Char('\t')) // row 60: unanswered
                || rightList()->itemText(60).startsWith(QLatin1Char('\t')));

        // Slot 1 of the exam line of vocabulary 1 (line 16), with its stamp.
        const QByteArray line = m_program->state().Result_Lines.at(16);
        QCOMPARE(line.size(), 1600);
        QCOMPARE(line.at(0), char(32 + 57));
        const QByteArray stamp = line.mid(100, 15);
        QVERIFY2(stamp == ResultsFile::stamp(start) || stamp == ResultsFile::stamp(end),
                 stamp.constData());
        QCOMPARE(line.mid(1, 99), QByteArray(99, ' '));
        QCOMPARE(line.mid(115), QByteArray(1600 - 115, ' '));

        // The file holds all 30 lines; only line 16 changed.
        const QList<QByteArray> fileLines = TextLines::split(readFile("KTresults.txt"));
        const QList<QByteArray> oldLines = TextLines::split(before);
        QCOMPARE(fileLines.size(), 30);
        for (int i = 1; i <= 30; ++i)
            QCOMPARE(fileLines.at(i - 1), i == 16 ? line : oldLines.at(i - 1));
        QCOMPARE(fileLines.at(0).left(3), QByteArray("ppp"));

        // A second check changes nothing, and writes no file.
        const QStringList shown = listTexts(rightList());
        QVERIFY(QFile::remove(filePath("KTresults.txt")));
        QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton);
        QCOMPARE(listTexts(rightList()), shown);
        QCOMPARE(m_program->state().Result_Lines.at(16), line);
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("57/100"));
        QVERIFY(!QFile::exists(filePath("KTresults.txt")));

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
        QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton);
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("100/100"));
        QCOMPARE(m_form2->Label5->caption(), QStringLiteral("Onneksi olkoon"));
        const ByteTextArray &lines = m_program->state().Result_Lines;
        QCOMPARE(uchar(lines.at(16).at(0)), uchar(132));

        // A new activation starts unscored; an exam scored 0 takes slot 2 and leaves it free.
        comeBack();
        QVERIFY(m_form2->Label2[0]->isHidden() && m_form2->Label5->isHidden());
        QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton);
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("0/100"));
        QCOMPARE(lines.at(16).at(1), ' ');
        QVERIFY(lines.at(16).mid(115, 15).trimmed().size() == 15);

        comeBack();
        enter(answerBox(), QString());
        enter(answerBox(), expectedFor(leftList()->itemText(0)));
        QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton);
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("1/100"));
        QCOMPARE(lines.at(16).left(3), QByteArray("\x84! "));

        // Exams of another vocabulary go to its own line.
        m_form2->hide();
        openExam(3);
        QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton);
        QCOMPARE(lines.at(18).left(1), QByteArray(" "));
        QVERIFY(lines.at(18).mid(100, 15).trimmed().size() == 15);
        QCOMPARE(lines.at(16).left(3), QByteArray("\x84! "));
        QCOMPARE(TextLines::split(readFile("KTresults.txt")).at(15).left(3), QByteArray("\x84! "));
    }

    void backReturnsToTheMainWindowAndRecordsNothing()
    {
        openExam(1);
        const QByteArray before = readFile("KTresults.txt");
        answerRows([](int, const QString &expected) { return expected; });
        QTest::mouseClick(m_form2->Label6[0], Qt::LeftButton);
        QVERIFY(m_form2->isHidden());
        QVERIFY(QTest::qWaitForWindowActive(m_form1));
        QCOMPARE(m_program->state().Result_Lines.at(16), QByteArray(1600, ' '));
        QCOMPARE(readFile("KTresults.txt"), before);

        // "Koe" again: a new exam, unscored.
        m_form2->showForm();
        QVERIFY(QTest::qWaitForWindowActive(m_form2));
        QCOMPARE(table().at(ExamTable::Typed_Answer, 1), QString());
        QCOMPARE(leftList()->count(), 100);
    }

    void aFullRecordIsLeftAlone()
    {
        openExam(1);
        ByteTextArray &lines = m_program->state().Result_Lines;
        QByteArray full = lines.at(16);
        full.replace(0, 100, QByteArray(100, 'x'));
        lines.set(16, full);
        QVERIFY(QFile::remove(filePath("KTresults.txt")));

        QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton);
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("0/100"));
        QVERIFY(!m_form2->Label5->isHidden());
        QCOMPARE(lines.at(16), full);
        QCOMPARE(promptBox()->text(), Form2::recordFullText);
        QVERIFY(!QFile::exists(filePath("KTresults.txt")));
    }

    void aFailedSaveIsReported()
    {
        openExam(1);
        enter(answerBox(), QString());
        enter(answerBox(), expectedFor(leftList()->itemText(0)));
        // A folder where the file should be: nothing can be written there.
        QVERIFY(QFile::remove(filePath("KTresults.txt")));
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("KTresults.txt")));

        QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton);
        QCOMPARE(m_form2->Label2[0]->caption(), QStringLiteral("1/100"));
        QCOMPARE(promptBox()->text(), Form2::notSavedText);
        // The record stays in memory, for the next save to write.
        QCOMPARE(m_program->state().Result_Lines.at(16).at(0), char(32 + 1));
    }

    void tooFewWordsGiveNoExam()
    {
        openExam(2);
        QCOMPARE(m_program->state().Set_Count, 5);
        QCOMPARE(m_form2->Label4->caption(), QStringLiteral("Tekninen"));
        QCOMPARE(leftList()->count(), 0);
        QCOMPARE(rightList()->count(), 0);
        QCOMPARE(promptBox()->text(), Form2::tooFewWordsText);

        // Keys leave the explanation in place, and there is nothing to score.
        enter(answerBox(), QStringLiteral("jotain"));
        QTest::keyClick(answerBox(), Qt::Key_Down);
        QTest::keyClick(answerBox(), Qt::Key_Up);
        QCOMPARE(promptBox()->text(), Form2::tooFewWordsText);
        const QByteArray before = readFile("KTresults.txt");
        QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton);
        QVERIFY(m_form2->Label2[0]->isHidden());
        QVERIFY(m_form2->Label5->isHidden());
        QCOMPARE(m_program->state().Result_Lines.at(17), QByteArray(1600, ' '));
        QCOMPARE(readFile("KTresults.txt"), before);
    }

    void aSectionTheExamCannotFindGivesNoExam()
    {
        openExam(4);
        QCOMPARE(m_program->state().Set_Count, 10); // the set browser found it
        QCOMPARE(leftList()->count(), 0);
        QCOMPARE(promptBox()->text(), Form2::noSectionText);
        QTest::mouseClick(m_form2->Label6[1], Qt::LeftButton);
        QVERIFY(m_form2->Label2[0]->isHidden());
        QCOMPARE(m_program->state().Result_Lines.at(19), QByteArray(1600, ' '));
    }

    void theExplanationsFitTheirBox()
    {
        const TextBox *box = m_program->form2()->Text1[0];
        for (const QString &text : {Form2::noSectionText, Form2::tooFewWordsText,
                                    Form2::recordFullText, Form2::notSavedText})
            QVERIFY2(box->fontMetrics().horizontalAdvance(text) < box->width() - 8,
                     qPrintable(text));
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
