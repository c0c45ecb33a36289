#include "main/form1.h"
#include "main/program.h"
#include "main/resultsfile.h"
#include "main/setindicator.h"
#include "main/vocabularydatabase.h"
#include "main/vocabularysets.h"
#include "main/wordcolumns.h"
#include "platform/programend.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <climits>

namespace {

// A database in memory as the loader leaves it: entries 1 to 10000, the given lines first.
TextArray database(const QStringList &lines)
{
    TextArray result;
    result.dimension(VocabularyDatabase::maxLines);
    for (int i = 0; i < lines.size(); ++i)
        result.set(i + 1, lines.at(i));
    return result;
}

// n word lines "<prefix>L1\<prefix>R1" and so on.
QStringList wordLines(int n, const QString &prefix = QString())
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("%1L%2\\%1R%2").arg(prefix).arg(i);
    return lines;
}

// A test line of 1600 bytes: the given scores from slot 1 on, blanks elsewhere.
QByteArray testLine(const QList<int> &scores)
{
    QByteArray line(ResultsFile::lineLength, ' ');
    for (int k = 0; k < scores.size(); ++k)
        line[k] = ResultsFile::scoreCharacter(scores.at(k));
    return line;
}

QStringList words(const TextArray &array)
{
    QStringList result;
    for (int j = 1; j <= 10; ++j)
        result << array.at(j);
    return result;
}

QStringList numbered(const QString &pattern, int from, int count = 10)
{
    QStringList result;
    for (int i = from; i < from + count; ++i)
        result << pattern.arg(i);
    return result;
}

struct Filled
{
    TextArray left;
    TextArray right;
    TextArray vocabulary;
};

Filled fill(const TextArray &lines, int header, int setNumber)
{
    Filled f;
    f.left.dimension(10);
    f.right.dimension(10);
    f.vocabulary.dimension(1000);
    VocabularySets::fillSet(lines, header, setNumber, f.left, f.right, f.vocabulary);
    return f;
}

} // namespace

class TestSetBrowser : public QObject
{
    Q_OBJECT

    QTemporaryDir *m_folder = nullptr;
    Program *m_program = nullptr;

    void writeDatabase(const QStringList &lines)
    {
        QFile file(m_folder->filePath(QString::fromLatin1(VocabularyDatabase::fileName)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.join(QLatin1String("\r\n")).toLatin1() + "\r\n");
    }

    // The main window with the database read, as after its activation.
    Form1 *loadedForm(const QStringList &lines)
    {
        writeDatabase(lines);
        Form1 *form = m_program->form1();
        Load_Database(m_program->state().Database_Lines);
        return form;
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
        m_program = new Program({m_folder->path(), m_folder->path()});
    }
    void cleanup()
    {
        delete m_program;
        delete m_folder;
    }

    void indicatorReading_data()
    {
        QTest::addColumn<QString>("indicator");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("total");
        QTest::newRow("design") << "1/0" << 1 << 0;
        QTest::newRow("browser form") << " 11/ 10" << 11 << 10;
        QTest::newRow("paging form") << "2/10" << 2 << 10;
        QTest::newRow("menu form over design") << " 4/0" << 4 << 0;
        QTest::newRow("no slash") << "3" << 3 << 0;
        QTest::newRow("nothing before slash") << "/5" << 0 << 5;
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("second slash ends the total") << "4/5/6" << 4 << 5;
        QTest::newRow("negative") << "-2/ 3" << -2 << 3;
    }
    void indicatorReading()
    {
        QFETCH(QString, indicator);
        QFETCH(int, current);
        QFETCH(int, total);
        QCOMPARE(SetIndicator::current(indicator), current);
        QCOMPARE(SetIndicator::total(indicator), total);
    }

    void indicatorWriting()
    {
        QCOMPARE(SetIndicator::text(1, 10), QStringLiteral(" 1/ 10"));
        QCOMPARE(SetIndicator::text(11, 10), QStringLiteral(" 11/ 10"));
        QCOMPARE(SetIndicator::text(1, 0), QStringLiteral(" 1/ 0"));
        QCOMPARE(SetIndicator::compactText(2, 10), QStringLiteral("2/10"));
        QCOMPARE(SetIndicator::withCurrent(4, u" 1/ 10"), QStringLiteral(" 4/ 10"));
        QCOMPARE(SetIndicator::withCurrent(1, u"1/0"), QStringLiteral(" 1/0"));
        QCOMPARE(SetIndicator::withCurrent(3, u"2/10/x"), QStringLiteral(" 3/10/x"));
        QCOMPARE(SetIndicator::withCurrent(3, u"7"), QStringLiteral(" 3/"));
        QCOMPARE(QString::fromLatin1(SetIndicator::initialText), QStringLiteral("1/0"));
    }

    void firstSetNotPassed_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("set");
        QTest::newRow("never tested") << testLine({}) << 1;
        QTest::newRow("sets 1 to 3 passed") << testLine({90, 80, 100}) << 4;
        QTest::newRow("failed set between passed ones") << testLine({90, 70, 85}) << 2;
        QTest::newRow("80 passes") << testLine({80}) << 2;
        QTest::newRow("75 does not") << testLine({75, 90}) << 1;
        QTest::newRow("79 does not") << testLine({100, 79}) << 2;
        QTest::newRow("100 is byte 132 and passes") << testLine({100, 100}) << 3;
        QTest::newRow("score 0 is a blank") << testLine({90, 0}) << 2;
        QTest::newRow("all ten passed") << testLine({80, 80, 80, 80, 80, 80, 80, 80, 80, 80}) << 11;
        QTest::newRow("slot 100") << testLine(QList<int>(99, 100)) << 100;
        QTest::newRow("all hundred passed") << testLine(QList<int>(100, 100)) << 1;
        QTest::newRow("stamps are no slots") << QByteArray(100, 'p') + ' ' << 1;
        QTest::newRow("three passed and nothing else") << QByteArray("ppp") << 1;
        QTest::newRow("short line with a blank") << QByteArray("pp ") << 3;
        QTest::newRow("empty line") << QByteArray() << 1;
        QTest::newRow("control byte") << QByteArray("p\x01") << 2;
        QTest::newRow("high byte passes") << QByteArray("\xff\xf0 ") << 3;
    }
    void firstSetNotPassed()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, set);
        QCOMPARE(VocabularySets::firstSetNotPassed(line), set);
    }

    void headerSearch_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("vocabulary");
        QTest::addColumn<int>("header");
        QTest::newRow("plain") << QStringList{"#1", "a\\b", "#3", "c\\d"} << 3 << 3;
        QTest::newRow("trailing blanks") << QStringList{"#1", "#3  ", "a\\b"} << 3 << 2;
        QTest::newRow("leading blanks") << QStringList{"#1", "  #3", "a\\b"} << 3 << 2;
        QTest::newRow("leading zero") << QStringList{"#03", "a\\b"} << 3 << 0;
        QTest::newRow("trailing letter") << QStringList{"#3x", "a\\b"} << 3 << 0;
        QTest::newRow("#30 is not #3") << QStringList{"#30", "a\\b", "#3"} << 3 << 3;
        QTest::newRow("#3 is not #30") << QStringList{"#3", "a\\b", "#30"} << 30 << 3;
        QTest::newRow("tab is no blank") << QStringList{"#3\t"} << 3 << 0;
        QTest::newRow("first of two") << QStringList{"#3", "a\\b", "#3"} << 3 << 1;
        QTest::newRow("two-digit key") << QStringList{"#1", "#12"} << 12 << 2;
        QTest::newRow("missing") << QStringList{"#1", "#2"} << 15 << 0;
        QTest::newRow("empty database") << QStringList{} << 1 << 0;
    }
    void headerSearch()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, vocabulary);
        QFETCH(int, header);
        QCOMPARE(VocabularySets::findHeader(database(lines), vocabulary), header);
    }

    void headerSearchLimits()
    {
        QCOMPARE(VocabularySets::findHeader(TextArray(), 1), 0);
        TextArray lines = database({});
        lines.set(10000, QStringLiteral("#7"));
        QCOMPARE(VocabularySets::findHeader(lines, 7), 10000);
        QCOMPARE(VocabularySets::headerKey(12), QStringLiteral("#12"));
    }

    void setCount_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("header");
        QTest::addColumn<int>("wordLines");
        QTest::addColumn<int>("sets");
        const auto section = [](int n) {
            return QStringList{"#1"} + wordLines(n) + QStringList{"#"};
        };
        QTest::newRow("100 lines") << section(100) << 1 << 100 << 10;
        QTest::newRow("99 lines") << section(99) << 1 << 99 << 10;
        QTest::newRow("98 lines") << section(98) << 1 << 98 << 9;
        QTest::newRow("95 lines") << section(95) << 1 << 95 << 9;
        QTest::newRow("9 lines") << section(9) << 1 << 9 << 1;
        QTest::newRow("8 lines") << section(8) << 1 << 8 << 0;
        QTest::newRow("empty section") << section(0) << 1 << 0 << 0;
        QTest::newRow("blank before # is no closer")
            << QStringList{"#1", "a\\b", " #2", "c\\d", "#3"} << 1 << 3 << 0;
        QTest::newRow("any # line closes") << QStringList{"#1", "a\\b", "#note"} << 1 << 1 << 0;
        QStringList late(900, QStringLiteral("x\\y"));
        late << QStringLiteral("#1") << wordLines(20);
        QTest::newRow("no closer after line 901") << late << 901 << 9099 << 910;
        QTest::newRow("header is the last entry") << QStringList() << 10000 << 0 << 0;
    }
    void setCount()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, header);
        QFETCH(int, wordLines);
        QFETCH(int, sets);
        const int counted = VocabularySets::wordLineCount(database(lines), header);
        QCOMPARE(counted, wordLines);
        QCOMPARE(VocabularySets::setCount(counted), sets);
    }

    void fillTakesTheCurrentSet()
    {
        const TextArray lines =
            database(QStringList{"#1"} + wordLines(30) + QStringList{"#2"} + wordLines(5, "x"));
        const Filled f = fill(lines, 1, 2);
        QCOMPARE(words(f.left), numbered(QStringLiteral("L%1"), 11));
        QCOMPARE(words(f.right), numbered(QStringLiteral("R%1"), 11));
        QCOMPARE(f.vocabulary.at(1), QStringLiteral("L1\\R1"));
        QCOMPARE(f.vocabulary.at(20), QStringLiteral("L20\\R20"));
        QCOMPARE(f.vocabulary.at(21), QString());
        QCOMPARE(f.left.at(0), QString());
        QCOMPARE(f.left.upperBound(), 10);
    }

    void fillRunsPastTheSection()
    {
        // All ten sets of vocabulary 3 passed: set 11 takes the next header and its words.
        const TextArray lines =
            database(QStringList{"#3"} + wordLines(100) + QStringList{"#4"} + wordLines(20, "n"));
        const Filled f = fill(lines, 1, 11);
        QStringList right = {"#4"};
        right << numbered(QStringLiteral("nR%1"), 1, 9);
        QStringList left = {"L91"};
        left << numbered(QStringLiteral("nL%1"), 1, 9);
        QCOMPARE(words(f.right), right);
        QCOMPARE(words(f.left), left);
        QCOMPARE(f.vocabulary.at(101), QStringLiteral("#4"));

        // After the database's last section the entries are empty.
        const TextArray last = database(QStringList{"#3"} + wordLines(100) + QStringList{"#"});
        const Filled g = fill(last, 1, 11);
        QCOMPARE(words(g.right), QStringList{"#"} + QStringList(9, QString()));
        QCOMPARE(words(g.left), numbered(QStringLiteral("L%1"), 91));
    }

    void fillNinetyNineLines()
    {
        const TextArray lines =
            database(QStringList{"#1"} + wordLines(99) + QStringList{"#2", "a\\b"});
        const Filled f = fill(lines, 1, 10);
        QCOMPARE(f.right.at(9), QStringLiteral("R99"));
        QCOMPARE(f.right.at(10), QStringLiteral("#2"));
        QCOMPARE(f.left.at(10), QStringLiteral("L90"));
        QCOMPARE(WordColumns::leftText(f.left).section(QLatin1String("\r\n"), 9),
                 QStringLiteral(" L90"));
    }

    void fillLineWithoutBackslash()
    {
        QStringList section = {"#1"};
        section << wordLines(30);
        section[3] = QStringLiteral("whole");  // word 3 of set 1
        section[14] = QStringLiteral("alone"); // word 4 of set 2
        section[24] = QStringLiteral("again"); // word 4 of set 3
        const TextArray lines = database(section);

        const Filled one = fill(lines, 1, 1);
        QCOMPARE(one.left.at(3), QString());
        QCOMPARE(one.right.at(3), QStringLiteral("whole"));
        const Filled two = fill(lines, 1, 2);
        QCOMPARE(two.left.at(3), QStringLiteral("L13"));
        QCOMPARE(two.left.at(4), QStringLiteral("L4"));
        QCOMPARE(two.right.at(4), QStringLiteral("alone"));
        const Filled three = fill(lines, 1, 3);
        QCOMPARE(three.left.at(4), QStringLiteral("L4"));
        QCOMPARE(three.right.at(4), QStringLiteral("again"));
        QCOMPARE(three.vocabulary.at(14), QStringLiteral("alone"));
    }

    void fillSplitsAtTheFirstBackslash()
    {
        const TextArray lines = database({"#1", "a\\b\\c", "\\only right", "left\\", ""});
        const Filled f = fill(lines, 1, 1);
        QCOMPARE(f.left.at(1), QStringLiteral("a"));
        QCOMPARE(f.right.at(1), QStringLiteral("b\\c"));
        QCOMPARE(f.left.at(2), QString());
        QCOMPARE(f.right.at(2), QStringLiteral("only right"));
        QCOMPARE(f.left.at(3), QStringLiteral("left"));
        QCOMPARE(f.right.at(3), QString());
        QCOMPARE(f.right.at(4), QString());
    }

    void fillStaysInsideItsArrays()
    {
        // No header: nothing at all.
        const TextArray lines = database(QStringList{"#1"} + wordLines(20));
        const Filled none = fill(lines, 0, 1);
        QCOMPARE(words(none.left), QStringList(10, QString()));
        QCOMPARE(words(none.right), QStringList(10, QString()));
        QCOMPARE(none.vocabulary.at(1), QString());

        // Above set 100 Vocabulary_Lines keeps its first 1000 positions; the words still come.
        const TextArray big = database(QStringList{"#1"} + wordLines(1200));
        const Filled f = fill(big, 1, 101);
        QCOMPARE(f.vocabulary.at(1000), QStringLiteral("L1000\\R1000"));
        QCOMPARE(f.vocabulary.upperBound(), 1000);
        QCOMPARE(words(f.left), numbered(QStringLiteral("L%1"), 1001));

        // Near the end of the database: lines past entry 10000 leave their positions alone.
        TextArray tail = database({});
        tail.set(9995, QStringLiteral("#5"));
        for (int line = 9996; line <= 10000; ++line)
            tail.set(line, QStringLiteral("l%1\\r%1").arg(line));
        const Filled t = fill(tail, 9995, 1);
        QCOMPARE(t.right.at(5), QStringLiteral("r10000"));
        QCOMPARE(t.right.at(6), QString());
        QCOMPARE(t.vocabulary.at(5), QStringLiteral("l10000\\r10000"));
        QCOMPARE(t.vocabulary.at(6), QString());
        const Filled t2 = fill(tail, 9995, 2);
        QCOMPARE(t2.left.at(5), QStringLiteral("l10000"));
        QCOMPARE(VocabularySets::wordLineCount(tail, 9995), 5);
        QCOMPARE(fill(tail, 10000, 1).right.at(1), QString());

        // A set number far beyond the database ends as quickly as a small one.
        QElapsedTimer timer;
        timer.start();
        const Filled huge = fill(big, 1, INT_MAX);
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(huge.left.at(1), QStringLiteral("L1191"));
        QCOMPARE(huge.right.at(1), QString()); // the empty entries past the words
        QCOMPARE(huge.vocabulary.at(1000), QStringLiteral("L1000\\R1000"));
        QCOMPARE(words(fill(big, 1, 0).left), QStringList(10, QString()));
        QCOMPARE(words(fill(big, 1, -5).right), QStringList(10, QString()));
    }

    void columnTexts()
    {
        const TextArray lines =
            database(QStringList{"#1"} + numbered(QStringLiteral("A%1\\B%1"), 1));
        const Filled f = fill(lines, 1, 1);
        QCOMPARE(WordColumns::leftText(f.left),
                 QStringLiteral("A1\r\nA2\r\nA3\r\nA4\r\nA5\r\nA6\r\nA7\r\nA8\r\nA9\r\n A10"));
        QCOMPARE(WordColumns::rightText(f.right),
                 QStringLiteral("B1\r\nB2\r\nB3\r\nB4\r\nB5\r\nB6\r\nB7\r\nB8\r\nB9\r\nB10"));
        TextArray empty;
        QCOMPARE(WordColumns::leftText(empty),
                 QStringLiteral("\r\n").repeated(9) + QLatin1Char(' '));
        QCOMPARE(WordColumns::rightText(empty), QStringLiteral("\r\n").repeated(9));
    }

    void menuChoiceOpensTheFirstSetNotPassed()
    {
        Form1 *form =
            loadedForm(QStringList{"#1"} + wordLines(100, "a") + QStringList{"#2"} +
                       wordLines(50, "b") + QStringList{"#3"} + wordLines(100) +
                       QStringList{"#4", "d1\\e1"} + wordLines(20, "d") + QStringList{"#"});
        Shared_State &state = m_program->state();
        state.Result_Lines.set(3, testLine({90, 80, 100}));
        QVERIFY(form->Timer2->isEnabled());

        form->Menu1[3]->trigger();
        QVERIFY(!form->Timer2->isEnabled());
        QVERIFY(form->Label9->isHidden());
        QCOMPARE(state.Vocabulary_Index, 3);
        QCOMPARE(state.Set_Number, 4);
        QCOMPARE(state.Set_Count, 10);
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 4/ 10"));
        QCOMPARE(form->Label3[1]->caption(), QStringLiteral("Sähkö"));
        QCOMPARE(words(state.Left_Words), numbered(QStringLiteral("L%1"), 31));
        QCOMPARE(words(state.Right_Words), numbered(QStringLiteral("R%1"), 31));
        QCOMPARE(form->Label1[0]->caption(), WordColumns::leftText(state.Left_Words));
        QCOMPARE(form->Label1[1]->caption(), WordColumns::rightText(state.Right_Words));
        QCOMPARE(form->Label1[0]->caption().section(QLatin1String("\r\n"), 9), " L40");
        QCOMPARE(state.Vocabulary_Lines.at(40), QStringLiteral("L40\\R40"));
        QCOMPARE(state.Vocabulary_Lines.at(41), QString());
        QCOMPARE(state.Vocabulary_Lines.upperBound(), 1000);

        // Paging writes the short form; the browser reads it back and writes its own.
        form->Label2[7]->setCaption(SetIndicator::compactText(2, 10));
        form->Get_Vocabulary();
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 2/ 10"));
        QCOMPARE(state.Set_Number, 2);
        QCOMPARE(state.Left_Words.at(1), QStringLiteral("L11"));

        // The browser shows whatever stands there, passed or not.
        form->Label2[7]->setCaption(QStringLiteral("1/10"));
        form->Get_Vocabulary();
        QCOMPARE(state.Right_Words.at(10), QStringLiteral("R10"));

        // Choosing the current vocabulary again goes back to its first set not passed.
        form->Menu1_Click(3);
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 4/ 10"));

        // Another vocabulary brings its own name, count and set.
        form->Menu1_Click(2);
        QCOMPARE(form->Label3[1]->caption(), QStringLiteral("Tekninen"));
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 1/ 5"));
        QCOMPARE(state.Left_Words.at(1), QStringLiteral("bL1"));
    }

    void allSetsPassedOpensTheSetAfterTheLast()
    {
        Form1 *form = loadedForm(QStringList{"#3"} + wordLines(100) + QStringList{"#4"} +
                                 wordLines(10, "n") + QStringList{"#"});
        m_program->state().Result_Lines.set(3, testLine(QList<int>(10, 85)));
        form->Menu1_Click(3);
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 11/ 10"));
        QVERIFY(form->Label1[1]->caption().startsWith(QLatin1String("#4\r\nnR1\r\n")));
        QVERIFY(form->Label1[0]->caption().startsWith(QLatin1String("L91\r\nnL1\r\n")));
    }

    void vocabularyWithoutHeader()
    {
        Form1 *form = loadedForm(QStringList{"#1"} + wordLines(30) + QStringList{"#"});
        Shared_State &state = m_program->state();
        form->Menu1_Click(1);
        QCOMPARE(state.Set_Count, 3);

        form->Menu1_Click(7);
        QCOMPARE(form->Label3[1]->caption(), QStringLiteral("Kaupallinen"));
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 1/ 0"));
        QCOMPARE(state.Set_Count, 0);
        QCOMPARE(words(state.Left_Words), QStringList(10, QString()));
        QCOMPARE(words(state.Right_Words), QStringList(10, QString()));
        QCOMPARE(state.Vocabulary_Lines.at(1), QString());
        QCOMPARE(form->Label1[0]->caption(), QStringLiteral("\r\n").repeated(9) + QLatin1Char(' '));
        QCOMPARE(form->Label1[1]->caption(), QStringLiteral("\r\n").repeated(9));
    }

    void lastSectionWithoutCloser()
    {
        QStringList lines(900, QStringLiteral("x\\y"));
        lines << QStringLiteral("#5") << wordLines(15);
        Form1 *form = loadedForm(lines);
        m_program->state().Result_Lines.set(5, QByteArray("p "));
        form->Menu1_Click(5);
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 2/ 910"));
        QCOMPARE(m_program->state().Right_Words.at(5), QStringLiteral("R15"));
        QCOMPARE(m_program->state().Right_Words.at(6), QString());
    }

    void browsingBeforeTheDatabaseIsRead()
    {
        Form1 *form = m_program->form1();
        form->Menu1_Click(1);
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 1/ 0"));
        QCOMPARE(form->Label3[1]->caption(), QStringLiteral("Tietokone"));
    }

    void getVocabularyBenchmark()
    {
        // The largest database: 10000 lines, a header near the start and no closer until the
        // last entry, so the count walks the whole database; set 100 fills 1000 lines.
        QStringList lines{"#1"};
        lines << wordLines(9998) << QStringLiteral("#");
        Form1 *form = loadedForm(lines);
        Shared_State &state = m_program->state();
        form->Menu1_Click(1);
        form->Label2[7]->setCaption(QStringLiteral("100/999"));
        QBENCHMARK
        {
            form->Get_Vocabulary();
        }
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 100/ 999"));
        QCOMPARE(state.Left_Words.at(10), QStringLiteral("L1000"));
        QCOMPARE(state.Vocabulary_Lines.at(1000), QStringLiteral("L1000\\R1000"));
    }
};

QTEST_MAIN(TestSetBrowser)
#include "tst_setbrowser.moc"
