#include "main/form1.h"
#include "main/resultsfile.h"
#include "main/setindicator.h"
#include "main/vocabularydatabase.h"
#include "main/vocabularysets.h"
#include "main/wordcolumns.h"
#include "programfixture.h"

#include <QElapsedTimer>
#include <QTest>

#include <climits>
#include <memory>

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

// Entries 1 to 10 of a word array.
QStringList words(const TextArray &array)
{
    QStringList result;
    for (int j = 1; j <= 10; ++j)
        result << array.at(j);
    return result;
}

// Words made from a pattern: numbered("L%1", 11) is L11 to L20.
QStringList numbered(const QString &pattern, int from, int count = 10)
{
    return ProgramFixture::numbered(pattern, from, count);
}

} // namespace

class TestSetBrowser : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_fixture;

    // The main window with the database read, as after its activation.
    Form1 *loadedForm(const QStringList &lines)
    {
        m_fixture->writeDatabase(lines);
        Form1 *form = m_fixture->form1();
        Load_Database(m_fixture->state().Database_Lines);
        return form;
    }

private slots:
    void init() { m_fixture = std::make_unique<ProgramFixture>(); }
    void cleanup() { m_fixture.reset(); }

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
        QCOMPARE(SetIndicator::compactText(2, 10), QStringLiteral("2/10"));
        // The menu keeps whatever followed the first "/".
        QCOMPARE(SetIndicator::withCurrent(4, u" 1/ 10"), QStringLiteral(" 4/ 10"));
        QCOMPARE(SetIndicator::withCurrent(1, u"1/0"), QStringLiteral(" 1/0"));
        QCOMPARE(SetIndicator::withCurrent(3, u"2/10/x"), QStringLiteral(" 3/10/x"));
        QCOMPARE(SetIndicator::withCurrent(3, u"7"), QStringLiteral(" 3/"));
    }

    void firstSetNotPassed_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("set");
        QTest::newRow("never tested") << testLine({}) << 1;
        QTest::newRow("sets 1 to 3 passed") << testLine({90, 80, 100}) << 4;
        QTest::newRow("failed set between passed ones") << testLine({90, 70, 85}) << 2;
        QTest::newRow("80 passes") << testLine({80}) << 2;
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
        QTest::newRow("the last entry")
            << QStringList(9999, QString()) + QStringList{"#7"} << 7 << 10000;
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
        QTest::newRow("9 lines") << section(9) << 1 << 9 << 1;
        QTest::newRow("8 lines") << section(8) << 1 << 8 << 0;
        QTest::newRow("empty section") << section(0) << 1 << 0 << 0;
        QTest::newRow("blank before # is no closer")
            << QStringList{"#1", "a\\b", " #2", "c\\d", "#3"} << 1 << 3 << 0;
        QTest::newRow("any # line closes") << QStringList{"#1", "a\\b", "#note"} << 1 << 1 << 0;
        QStringList late(900, QStringLiteral("x\\y"));
        late << QStringLiteral("#1") << wordLines(20);
        QTest::newRow("no closer after line 901") << late << 901 << 9099 << 910;
        QTest::newRow("near the end of the database")
            << QStringList(9994, QString()) + QStringList{"#5"} + wordLines(5) << 9995 << 5 << 0;
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

    void fillSet_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("header");
        QTest::addColumn<int>("set");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("right");
        QTest::addColumn<int>("stored"); // Vocabulary_Lines positions copied from the database

        const QStringList none(10, QString());
        const QString l = QStringLiteral("L%1"), r = QStringLiteral("R%1");
        const QStringList thirty = QStringList{"#1"} + wordLines(30);
        QTest::newRow("the current set") << thirty + QStringList{"#2"} + wordLines(5, "x") << 1 << 2
                                         << numbered(l, 11) << numbered(r, 11) << 20;

        // All ten sets passed: set 11 runs on into the next section, or into empty entries.
        const QStringList hundred = QStringList{"#3"} + wordLines(100);
        QTest::newRow("past the section")
            << hundred + QStringList{"#4"} + wordLines(20, "n") << 1 << 11
            << QStringList{"L91"} + numbered(QStringLiteral("nL%1"), 1, 9)
            << QStringList{"#4"} + numbered(QStringLiteral("nR%1"), 1, 9) << 110;
        QTest::newRow("past the last section")
            << hundred + QStringList{"#"} << 1 << 11 << numbered(l, 91)
            << QStringList{"#"} + QStringList(9, QString()) << 110;
        QTest::newRow("ninety-nine lines")
            << QStringList{"#1"} + wordLines(99) + QStringList{"#2", "a\\b"} << 1 << 10
            << numbered(l, 91, 9) + QStringList{"L90"} << numbered(r, 91, 9) + QStringList{"#2"}
            << 100;

        // A line without a backslash is the right word; the left word stays from an earlier set.
        QStringList gaps = thirty;
        gaps[3] = QStringLiteral("whole");  // word 3 of set 1
        gaps[14] = QStringLiteral("alone"); // word 4 of set 2
        gaps[24] = QStringLiteral("again"); // word 4 of set 3
        const auto with = [](const QString &pattern, int from, int j, const QString &word) {
            QStringList list = numbered(pattern, from);
            list[j - 1] = word;
            return list;
        };
        QTest::newRow("no backslash, set 1")
            << gaps << 1 << 1 << with(l, 1, 3, "") << with(r, 1, 3, "whole") << 10;
        QTest::newRow("no backslash, set 2")
            << gaps << 1 << 2 << with(l, 11, 4, "L4") << with(r, 11, 4, "alone") << 20;
        QTest::newRow("no backslash, set 3")
            << gaps << 1 << 3 << with(l, 21, 4, "L4") << with(r, 21, 4, "again") << 30;

        QTest::newRow("split at the first backslash")
            << QStringList{"#1", "a\\b\\c", "\\only right", "left\\", ""} << 1 << 1
            << QStringList{"a", "", "left"} + QStringList(7, QString())
            << QStringList{"b\\c", "only right"} + QStringList(8, QString()) << 10;

        QTest::newRow("no header") << thirty << 0 << 1 << none << none << 0;
        QTest::newRow("set 0") << thirty << 1 << 0 << none << none << 0;
        QTest::newRow("negative set") << thirty << 1 << -5 << none << none << 0;

        // Vocabulary_Lines keeps its 1000 positions above set 100; the words still come.
        const QStringList big = QStringList{"#1"} + wordLines(1200);
        QTest::newRow("above set 100")
            << big << 1 << 101 << numbered(l, 1001) << numbered(r, 1001) << 1000;
        QTest::newRow("set far beyond the database")
            << big << 1 << INT_MAX << numbered(l, 1191) << none << 1000;

        // Lines past entry 10000 are absent and change nothing.
        QStringList tail = QStringList(9994, QString()) + QStringList{"#5"};
        for (int line = 9996; line <= 10000; ++line)
            tail << QStringLiteral("l%1\\r%1").arg(line);
        const QStringList left =
            numbered(QStringLiteral("l%1"), 9996, 5) + QStringList(5, QString());
        const QStringList right =
            numbered(QStringLiteral("r%1"), 9996, 5) + QStringList(5, QString());
        QTest::newRow("near the end of the database") << tail << 9995 << 1 << left << right << 5;
        QTest::newRow("a set past the database's end") << tail << 9995 << 2 << left << right << 5;
        QTest::newRow("header is the last entry") << tail << 10000 << 1 << none << none << 0;
    }
    void fillSet()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, header);
        QFETCH(int, set);
        QFETCH(QStringList, left);
        QFETCH(QStringList, right);
        QFETCH(int, stored);

        const TextArray db = database(lines);
        TextArray leftWords, rightWords, vocabulary;
        leftWords.dimension(10);
        rightWords.dimension(10);
        vocabulary.dimension(1000);
        QElapsedTimer timer;
        timer.start();
        VocabularySets::fillSet(db, header, set, leftWords, rightWords, vocabulary);
        QVERIFY(timer.elapsed() < 1000); // however large the set number
        QCOMPARE(words(leftWords), left);
        QCOMPARE(words(rightWords), right);
        QCOMPARE(leftWords.upperBound(), 10);
        QCOMPARE(leftWords.at(0), QString());
        QCOMPARE(vocabulary.upperBound(), 1000);
        for (int m = 1; m <= stored; ++m)
            QCOMPARE(vocabulary.at(m), db.at(header + m));
        QCOMPARE(vocabulary.at(stored + 1), QString());
    }

    void columnTexts()
    {
        TextArray left, right;
        left.dimension(10);
        right.dimension(10);
        for (int j = 1; j <= 10; ++j) {
            left.set(j, QStringLiteral("A%1").arg(j));
            right.set(j, QStringLiteral("B%1").arg(j));
        }
        QCOMPARE(WordColumns::leftText(left),
                 QStringLiteral("A1\r\nA2\r\nA3\r\nA4\r\nA5\r\nA6\r\nA7\r\nA8\r\nA9\r\n A10"));
        QCOMPARE(WordColumns::rightText(right),
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
        Shared_State &state = m_fixture->state();
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
        m_fixture->state().Result_Lines.set(3, testLine(QList<int>(10, 85)));
        form->Menu1_Click(3);
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 11/ 10"));
        QVERIFY(form->Label1[1]->caption().startsWith(QLatin1String("#4\r\nnR1\r\n")));
        QVERIFY(form->Label1[0]->caption().startsWith(QLatin1String("L91\r\nnL1\r\n")));
    }

    void vocabularyWithoutHeader()
    {
        Form1 *form = loadedForm(QStringList{"#1"} + wordLines(30) + QStringList{"#"});
        Shared_State &state = m_fixture->state();
        form->Menu1_Click(1);
        QCOMPARE(state.Set_Count, 3);

        form->Menu1_Click(7);
        QCOMPARE(form->Label3[1]->caption(), QStringLiteral("Kaupallinen"));
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 1/ 0"));
        QCOMPARE(state.Set_Count, 0);
        QCOMPARE(state.Vocabulary_Lines.at(1), QString());
        QCOMPARE(form->Label1[0]->caption(), QStringLiteral("\r\n").repeated(9) + QLatin1Char(' '));
        QCOMPARE(form->Label1[1]->caption(), QStringLiteral("\r\n").repeated(9));
    }

    void lastSectionWithoutCloser()
    {
        QStringList lines(900, QStringLiteral("x\\y"));
        lines << QStringLiteral("#5") << wordLines(15);
        Form1 *form = loadedForm(lines);
        m_fixture->state().Result_Lines.set(5, QByteArray("p "));
        form->Menu1_Click(5);
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 2/ 910"));
        QCOMPARE(m_fixture->state().Right_Words.at(5), QStringLiteral("R15"));
        QCOMPARE(m_fixture->state().Right_Words.at(6), QString());
    }

    void browsingBeforeTheDatabaseIsRead()
    {
        Form1 *form = m_fixture->form1();
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
        Shared_State &state = m_fixture->state();
        form->Menu1_Click(1);
        form->Label2[7]->setCaption(QStringLiteral("100/999"));
        QBENCHMARK { form->Get_Vocabulary(); }
        QCOMPARE(form->Label2[7]->caption(), QStringLiteral(" 100/ 999"));
        QCOMPARE(state.Left_Words.at(10), QStringLiteral("L1000"));
        QCOMPARE(state.Vocabulary_Lines.at(1000), QStringLiteral("L1000\\R1000"));
    }
};

QTEST_MAIN(TestSetBrowser)
#include "tst_setbrowser.moc"
