#include "exam/answermask.h"
#include "exam/examdraw.h"
#include "exam/examscoring.h"
#include "exam/examsection.h"
#include "exam/examtable.h"
#include "main/passmark.h"
#include "main/resultsfile.h"
#include "main/textarray.h"

#include <QBuffer>
#include <QSet>
#include <QTest>

namespace {

// Vocabulary_Lines as the set browser leaves it: "sanaK\sanK" at every position K.
TextArray numberedLines()
{
    TextArray lines;
    lines.dimension(ExamSection::maxStoredLines);
    for (int k = 1; k <= ExamSection::maxStoredLines; ++k)
        lines.set(k, QStringLiteral("sana%1\\san%1").arg(k));
    return lines;
}

// The section reader over a database held in memory.
ExamSection::Result readSection(QByteArray content, int vocabulary, TextArray &lines)
{
    QBuffer database(&content);
    database.open(QIODevice::ReadOnly);
    return ExamSection::read(database, vocabulary, lines);
}

} // namespace

class TestExam : public QObject
{
    Q_OBJECT

private slots:
    void tableHasNoEntriesUntilDimensioned()
    {
        ExamTable table;
        QVERIFY(!table.set(ExamTable::Prompt, 1, QStringLiteral("x")));
        QCOMPARE(table.at(ExamTable::Prompt, 1), QString());

        table.dimension();
        QVERIFY(table.set(ExamTable::Prompt, 100, QStringLiteral("a")));
        QVERIFY(table.set(0, 0, QStringLiteral("b")));
        QVERIFY(!table.set(4, 1, QStringLiteral("c")));
        QVERIFY(!table.set(ExamTable::Typed_Answer, 101, QStringLiteral("c")));
        QVERIFY(!table.set(ExamTable::Typed_Answer, -1, QStringLiteral("c")));
        QCOMPARE(table.at(ExamTable::Prompt, 100), QStringLiteral("a"));
        QCOMPARE(table.at(ExamTable::Typed_Answer, 101), QString());
        QCOMPARE(table.at(ExamTable::Expected_Answer, 100), QString());

        // A new exam starts from an empty table.
        table.dimension();
        QCOMPARE(table.at(ExamTable::Prompt, 100), QString());
        QCOMPARE(table.at(0, 0), QString());
    }

    void header_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("vocabulary");
        QTest::addColumn<bool>("header");

        QTest::newRow("plain") << "#3" << 3 << true;
        QTest::newRow("leading zero") << "#03" << 3 << true;
        QTest::newRow("blank after hash") << "# 3" << 3 << true;
        QTest::newRow("name after number") << "#3 Sähkö" << 3 << true;
        QTest::newRow("trailing blanks") << "#3  " << 3 << true;
        QTest::newRow("blank before hash") << " #3" << 3 << false;
        QTest::newRow("longer number") << "#13" << 3 << false;
        QTest::newRow("other vocabulary") << "#4" << 3 << false;
        QTest::newRow("two digits") << "#12" << 12 << true;
        QTest::newRow("closing line") << "#" << 3 << false;
        QTest::newRow("closing line is no vocabulary 0") << "#" << 0 << false;
        QTest::newRow("word line") << "3\\kolme" << 3 << false;
    }
    void header()
    {
        QFETCH(QString, line);
        QFETCH(int, vocabulary);
        QFETCH(bool, header);
        QCOMPARE(ExamSection::isHeader(line, vocabulary), header);
    }

    void sectionRead_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("vocabulary");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("lines");

        const auto row = [](const char *name, const QByteArray &content, int vocabulary, bool found,
                            const QStringList &lines) {
            QTest::newRow(name) << content << vocabulary << found << lines;
        };
        row("cut at the second backslash", "#1\r\na\\b\\c\r\na\\b\\c\\d\r\na\\b\r\na\r\n#\r\n", 1,
            true, {"a\\b", "a\\b", "a\\b", "a"});
        row("empty line takes a number", "#2\r\nx\\y\r\n\r\nz\\w\r\n#\r\n", 2, true,
            {"x\\y", "", "z\\w"});
        row("ends at the next section", "#1\r\na\\b\r\n#2\r\nc\\d\r\n#\r\n", 1, true, {"a\\b"});
        row("a later section", "#1\r\na\\b\r\n#2\r\nc\\d\r\ne\\f\r\n#\r\n", 2, true,
            {"c\\d", "e\\f"});
        row("last section without closing line", "#1\r\na\\b\r\n#2\r\nc\\d\r\ne\\f", 2, true,
            {"c\\d", "e\\f"});
        row("first matching header wins", "#03\r\nfirst\\1\r\n#3\r\nsecond\\2\r\n#\r\n", 3, true,
            {"first\\1"});
        row("header with a name", "#3 S\xe4hk\xf6\r\nv\\w\r\n#\r\n", 3, true, {"v\\w"});
        row("windows-1252 words", "#1\r\ns\xe4hk\xf6\\el\x80\r\n#\r\n", 1, true,
            {QStringLiteral("sähkö\\el€")});
        row("bare line feeds", "#1\na\\b\nc\\d\n#\n", 1, true, {"a\\b", "c\\d"});
        row("header with a blank first is not found", " #1\r\na\\b\r\n#\r\n", 1, false, {});
        row("no such section", "#1\r\na\\b\r\n#\r\n", 5, false, {});
        row("empty file", QByteArray(), 1, false, {});
        row("header is the last line", "#1\r\na\\b\r\n#2", 2, true, {});
    }
    void sectionRead()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, vocabulary);
        QFETCH(bool, found);
        QFETCH(QStringList, lines);

        TextArray vocabularyLines;
        vocabularyLines.dimension(1000);
        for (int i = 1; i <= 5; ++i)
            vocabularyLines.set(i, QStringLiteral("old%1").arg(i));

        const ExamSection::Result result = readSection(content, vocabulary, vocabularyLines);
        QCOMPARE(result.headerFound, found);
        QCOMPARE(result.lineCount, qint64(lines.size()));
        for (int i = 1; i <= lines.size(); ++i)
            QCOMPARE(vocabularyLines.at(i), lines.at(i - 1));
        // Positions after the section keep what the set browser left there.
        for (int i = int(lines.size()) + 1; i <= 5; ++i)
            QCOMPARE(vocabularyLines.at(i), QStringLiteral("old%1").arg(i));
        QCOMPARE(vocabularyLines.upperBound(), 1000);
    }

    void sectionReadLimits()
    {
        // Lines past the 1000th are counted but not stored.
        QByteArray content = "#1\r\n";
        for (int k = 1; k <= 1005; ++k)
            content += QByteArray("sana") + QByteArray::number(k) + "\\san\\huom\r\n";
        TextArray lines;
        lines.dimension(1000);
        QCOMPARE(readSection(content + "#\r\n", 1, lines).lineCount, qint64(1005));
        QCOMPARE(lines.upperBound(), 1000);
        QCOMPARE(lines.at(1000), QStringLiteral("sana1000\\san"));

        // An array never dimensioned gets its 1000 positions, so the lines are still stored.
        TextArray fresh;
        readSection("#1\r\na\\b\r\n", 1, fresh);
        QCOMPARE(fresh.upperBound(), 1000);
        QCOMPARE(fresh.at(1), QStringLiteral("a\\b"));
    }

    void answerMask_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("mask");

        const auto row = [](const char *name, const QString &answer, const QString &mask) {
            QTest::newRow(name) << answer << mask;
        };
        row("two words", QStringLiteral("sähkö johto"), "????? ?????");
        row("trailing blank", "kaapeli ", "??????? ");
        row("leading blanks", "  ab", "  ??");
        row("tab is no blank", "a\tb", "???");
        row("empty", "", "");
        row("blanks only", "   ", "   ");
    }
    void answerMask()
    {
        QFETCH(QString, answer);
        QFETCH(QString, mask);
        QCOMPARE(::answerMask(answer), mask);
    }

    void rowSplit_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("expected");

        const auto row = [](const char *name, const QString &line, const QString &prompt,
                            const QString &expected) {
            QTest::newRow(name) << line << prompt << expected;
        };
        row("word pair", "johto\\wire", "wire", "johto");
        row("no backslash", "lonely", "lonely", "");
        row("empty line", "", "", "");
        row("empty left word", "\\right", "right", "");
        row("blanks kept", " a b \\ c ", " c ", " a b ");
        row("section line", "#4", "#4", "");
    }
    void rowSplit()
    {
        QFETCH(QString, line);
        QFETCH(QString, prompt);
        QFETCH(QString, expected);
        ExamTable table;
        table.dimension();
        ExamDraw::fillRow(table, 7, line);
        QCOMPARE(table.at(ExamTable::Prompt, 7), prompt);
        QCOMPARE(table.at(ExamTable::Expected_Answer, 7), expected);
    }

    void drawRange_data()
    {
        QTest::addColumn<int>("setCount");
        QTest::addColumn<int>("range");
        QTest::addColumn<bool>("canDraw");

        QTest::newRow("no vocabulary") << 0 << 0 << false;
        QTest::newRow("nine sets") << 9 << 90 << false;
        QTest::newRow("ten sets") << 10 << 100 << true;
        QTest::newRow("fifteen sets") << 15 << 150 << true;
        QTest::newRow("a hundred sets") << 100 << 1000 << true;
        QTest::newRow("past the stored lines") << 150 << 1000 << true;
        QTest::newRow("huge count") << 2000000000 << 1000 << true;
        QTest::newRow("negative") << -3 << 0 << false;
    }
    void drawRange()
    {
        QFETCH(int, setCount);
        QFETCH(int, range);
        QFETCH(bool, canDraw);
        QCOMPARE(ExamDraw::range(setCount), range);
        QCOMPARE(ExamDraw::canDraw(range), canDraw);

        // A range too small for 100 distinct numbers draws nothing rather than loop for ever.
        ExamTable table;
        table.dimension();
        RandomGenerator random;
        const DrawRecord record = ExamDraw::draw(random, range, numberedLines(), table);
        QCOMPARE(record.count(), canDraw ? 100 : 0);
        if (!canDraw)
            QCOMPARE(record.text(), QStringLiteral("*"));
    }

    void drawTakesEveryLineOnce_data()
    {
        QTest::addColumn<int>("range");
        QTest::newRow("exactly a hundred") << 100;
        QTest::newRow("a hundred and fifty") << 150;
        QTest::newRow("a thousand") << 1000;
    }
    void drawTakesEveryLineOnce()
    {
        QFETCH(int, range);
        ExamTable table;
        table.dimension();
        table.set(ExamTable::Typed_Answer, 5, QStringLiteral("kept"));

        RandomGenerator random;
        random.fixSeed(7);
        const DrawRecord record = ExamDraw::draw(random, range, numberedLines(), table);
        QCOMPARE(record.count(), 100);

        // Row c holds the c-th number of the record, and no number comes twice.
        QString order = record.order();
        QSet<int> seen;
        for (int row = 1; row <= 100; ++row) {
            int number = 0;
            QVERIFY(takeDrawnNumber(order, number));
            QVERIFY(number >= 1 && number <= range);
            QVERIFY(!seen.contains(number));
            seen.insert(number);
            QCOMPARE(table.at(ExamTable::Prompt, row), QStringLiteral("san%1").arg(number));
            QCOMPARE(table.at(ExamTable::Expected_Answer, row),
                     QStringLiteral("sana%1").arg(number));
        }
        QVERIFY(order.isEmpty());
        QCOMPARE(table.at(ExamTable::Typed_Answer, 5), QStringLiteral("kept"));
        QCOMPARE(table.at(ExamTable::Prompt, 0), QString());
    }

    void drawIsRandomButRepeatsWithASeed()
    {
        const TextArray lines = numberedLines();
        ExamTable table;
        table.dimension();
        RandomGenerator random;
        random.fixSeed(11);
        const QString first = ExamDraw::draw(random, 100, lines, table).text();
        QCOMPARE(ExamDraw::draw(random, 100, lines, table).text(), first);
        random.fixSeed(12);
        QVERIFY(ExamDraw::draw(random, 100, lines, table).text() != first);
        // Not simply the lines in file order.
        QString inOrder = QStringLiteral("*");
        for (int k = 1; k <= 100; ++k)
            inOrder += QString::number(k) + QLatin1Char('*');
        QVERIFY(first != inOrder);
    }

    void rightAnswer_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");

        const auto row = [](const char *name, const QString &expected, const QString &typed,
                            bool right) { QTest::newRow(name) << expected << typed << right; };
        row("same", "johto", "johto", true);
        row("case differs", "johto", "Johto", false);
        row("accent differs", QStringLiteral("sähkö"), "sahko", false);
        row("outer blanks ignored", " johto ", "johto", true);
        row("typed outer blanks ignored", "johto", "  johto ", true);
        row("inner blanks count", QStringLiteral("sähkö johto"), QStringLiteral("sähkö  johto"),
            false);
        row("tab is not trimmed", "johto", "johto\t", false);
        row("unanswered", "johto", "", false);
        row("nothing expected, nothing typed", "", "", true);
        row("blanks expected, nothing typed", "   ", "", true);
    }
    void rightAnswer()
    {
        QFETCH(QString, expected);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        QCOMPARE(ExamScoring::isRight(expected, typed), right);
    }

    void scoreCountsRowsOneToAHundred()
    {
        ExamTable table;
        table.dimension();
        for (int row = 0; row <= 100; ++row)
            table.set(ExamTable::Expected_Answer, row, QStringLiteral("a%1").arg(row));
        for (int row = 1; row <= 57; ++row)
            table.set(ExamTable::Typed_Answer, row, QStringLiteral("a%1").arg(row));
        table.set(ExamTable::Typed_Answer, 0, QStringLiteral("a0")); // row 0 is never scored
        QCOMPARE(ExamScoring::score(table), 57);
        table.set(ExamTable::Typed_Answer, 100, QStringLiteral(" a100 "));
        QCOMPARE(ExamScoring::score(table), 58);
    }

    void scoreTextAndVerdict_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("verdict");

        const QString pass = QStringLiteral("Onneksi olkoon");
        const QString practise = QStringLiteral("Harjoittele vielä");
        QTest::newRow("zero") << 0 << "0/100" << practise;
        QTest::newRow("79") << 79 << "79/100" << practise;
        QTest::newRow("80") << 80 << "80/100" << pass;
        QTest::newRow("100") << 100 << "100/100" << pass;
    }
    void scoreTextAndVerdict()
    {
        QFETCH(int, score);
        QFETCH(QString, text);
        QFETCH(QString, verdict);
        QCOMPARE(ExamScoring::scoreText(score), text);
        QCOMPARE(PassMark::verdict(score), verdict);
    }

    void resultLine_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("line");

        const auto row = [](const char *name, const QString &typed, const QString &expected,
                            const QString &line) {
            QTest::newRow(name) << typed << expected << line;
        };
        row("answered", "johto", "johto", "johto\t(johto)");
        row("unanswered", "", "johto", "\t(johto)");
        row("expected kept with blanks", "a", " a ", "a\t( a )");
    }
    void resultLine()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(QString, line);
        QCOMPARE(ExamScoring::resultLine(typed, expected), line);
    }

    void firstFreeSlot_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("slot");

        const QByteArray blank(1600, ' ');
        QByteArray three = blank;
        three.replace(0, 3, "pq\x84");
        QByteArray gap = blank;
        gap.replace(0, 3, "p q");
        QByteArray full = blank;
        full.replace(0, 100, QByteArray(100, 'x'));
        QByteArray lastFree = full;
        lastFree[99] = ' ';

        QTest::newRow("empty record") << blank << 1;
        QTest::newRow("three exams") << three << 4;
        QTest::newRow("exam scored 0 frees its slot") << gap << 2;
        QTest::newRow("last slot") << lastFree << 100;
        QTest::newRow("full record; blank stamps are no slots") << full << 0;
        // A line cut short has its missing slots free, as the line lengthened with blanks.
        QTest::newRow("empty line") << QByteArray() << 1;
        QTest::newRow("short line") << QByteArray("ab c") << 3;
        QTest::newRow("short line without blank") << QByteArray("abc") << 4;
    }
    void firstFreeSlot()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, slot);
        QCOMPARE(ResultsFile::firstFreeSlot(line), slot);
    }
};

QTEST_MAIN(TestExam)
#include "tst_exam.moc"
