#include "drillticker.h"

#include "main/form1.h"
#include "main/program.h"
#include "main/resultsfile.h"
#include "main/testscoring.h"
#include "main/textrules.h"
#include "main/vocabularydatabase.h"
#include "platform/layout.h"
#include "platform/programend.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString crlf = QStringLiteral("\r\n");

QStringList wordLines(const QString &left, const QString &right, int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << left + QString::number(i) + QLatin1Char('\\') + right + QString::number(i);
    return lines;
}

QStringList numbered(const QString &prefix, int from, int count = 10)
{
    QStringList words;
    for (int i = from; i < from + count; ++i)
        words << prefix + QString::number(i);
    return words;
}

} // namespace

// How the test answers each word, one plan character a word in the order asked:
//   F  the left word typed at once (its second key at tick 1 of the wait), Enter
//   L  the left word, its second key and Enter at tick 40
//   S  the left word, its second key and Enter at tick 41
//   P  the left word put into the box without a key press, Enter at tick 1
//   T  the left word changed by the row's transform, typed at once, Enter
//   W  Enter on the empty box
//   A  "Keskeytä" on the empty box
//   X  the left word typed, then "Keskeytä"
//   V  Enter on the empty box, then "Keskeytä" at tick 5 of the right answer's display
//   E  Enter on the empty box, and Enter again at tick 3 of the right answer's display
class TestTimedTest : public QObject
{
    Q_OBJECT

    QTemporaryDir *m_folder = nullptr;
    Program *m_program = nullptr;
    Form1 *m_form = nullptr;
    std::unique_ptr<DrillTicker> m_ticker;

    QString m_plan;
    std::function<QString(const QString &)> m_transform;
    // Runs at each tick of an answer wait, before the plan: the word (from 1) and the tick.
    std::function<void(int word, int tick)> m_atAnswerTick;

    // What the run looked like.
    QStringList m_prompts;
    QList<int> m_answerTicks;     // ticks of each answer wait
    QList<int> m_correctionTicks; // ticks of each right answer's display, 0 when none
    QStringList m_corrections;    // what the box showed during the display
    int m_verdictTicks = 0;
    QString m_verdict;
    QString m_scoreShown;
    QByteArray m_fileDuringPause;
    bool m_lockedDuringTest = true;

    int m_word = 0;
    int m_waitTick = 0;
    bool m_answered = false;
    QString m_leftAsked;

    Shared_State &state() { return m_program->state(); }
    QString indicator() const { return m_form->Label2[7]->caption(); }
    QString resultsPath() const
    {
        return m_folder->filePath(QString::fromLatin1(ResultsFile::fileName));
    }
    QByteArray resultsFile() const
    {
        QFile file(resultsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void type(const QString &text)
    {
        if (!text.isEmpty())
            QTest::keyClicks(m_form->Text1, text);
    }
    void enter() { QTest::keyClick(m_form->Text1, Qt::Key_Return); }
    void stop() { QTest::mouseClick(m_form->Label2[0], Qt::LeftButton); }

    // The left word of the prompt, looked up in the set as it stands.
    QString leftWordOf(const QString &prompt)
    {
        for (int j = 1; j <= 10; ++j)
            if (state().Right_Words.at(j) == prompt)
                return state().Left_Words.at(j);
        return QStringLiteral("<not in the set>");
    }

    void verifyDrillView()
    {
        const bool locked = !m_form->Label2[1]->isEnabled() && !m_form->Label2[2]->isEnabled() &&
                            !m_form->Label2[3]->isEnabled();
        const bool live = m_form->Label2[0]->isEnabled() && m_form->Label2[4]->isEnabled() &&
                          m_form->Label2[5]->isEnabled() && m_form->Label2[6]->isEnabled();
        const bool shown = m_form->Label6->isVisible() && m_form->Text1->isVisible() &&
                           m_form->Label1[0]->isHidden() && m_form->Label1[1]->isHidden() &&
                           m_form->Shape2->isHidden() && m_form->Label7->isHidden();
        m_lockedDuringTest = m_lockedDuringTest && locked && live && shown;
    }

    void onTick()
    {
        if (m_form->Label7->isVisible()) {
            if (m_verdictTicks++ == 0) {
                m_verdict = m_form->Label7->caption();
                m_scoreShown = m_form->Label5[0]->caption();
                m_fileDuringPause = resultsFile();
            }
            return;
        }
        const int word = m_form->Label5[1]->caption().toInt();
        if (word == 0)
            return; // a tick of the draw
        if (word != m_word) {
            m_word = word;
            m_waitTick = 0;
            m_answered = false;
            m_prompts << m_form->Label6->caption();
            m_leftAsked = leftWordOf(m_prompts.last());
            m_answerTicks << 0;
            m_correctionTicks << 0;
            m_corrections << QString();
            verifyDrillView();
        }
        ++m_waitTick;
        const QChar plan = word <= m_plan.size() ? m_plan.at(word - 1) : QLatin1Char('W');
        if (m_answered) {
            ++m_correctionTicks.last();
            m_corrections.last() = m_form->Text1->text();
            if (plan == QLatin1Char('V') && m_correctionTicks.last() == 5)
                stop();
            if (plan == QLatin1Char('E') && m_correctionTicks.last() == 3)
                enter();
            return;
        }
        m_answerTicks.last() = m_waitTick;
        if (m_atAnswerTick)
            m_atAnswerTick(word, m_waitTick);

        const int secondKeyTick = plan == QLatin1Char('L') ? 40 : plan == QLatin1Char('S') ? 41 : 1;
        const QString left = m_leftAsked;
        switch (plan.toLatin1()) {
        case 'F':
        case 'L':
        case 'S':
            if (m_waitTick == 1)
                type(left.left(1));
            if (m_waitTick == secondKeyTick) {
                type(left.mid(1));
                enter();
                m_answered = true;
            }
            break;
        case 'P':
            m_form->Text1->setText(left);
            enter();
            m_answered = true;
            break;
        case 'T':
            type(m_transform(left));
            enter();
            m_answered = true;
            break;
        case 'A':
            stop();
            m_answered = true;
            break;
        case 'X':
            type(left);
            stop();
            m_answered = true;
            break;
        default: // W, V, E
            enter();
            m_answered = true;
            break;
        }
    }

    // Runs one test with a driven clock, answering by the plan.
    void runTest(const QString &plan, bool tickDuringDraw = false)
    {
        m_plan = plan;
        m_ticker = std::make_unique<DrillTicker>(*m_form, state().Clock, [this] {
            return m_form->Label5[1]->caption() == QLatin1String("0");
        });
        m_ticker->tickDuringDraw = tickDuringDraw;
        m_ticker->onTick = [this](int) { onTick(); };
        m_form->Testi();
        m_ticker.reset();
    }

    void verifyBrowsingView()
    {
        QVERIFY(m_form->Label7->isHidden());
        QVERIFY(m_form->Label6->isHidden());
        QVERIFY(m_form->Text1->isHidden());
        QVERIFY(m_form->Label1[0]->isVisible());
        QVERIFY(m_form->Label1[1]->isVisible());
        QVERIFY(m_form->Shape2->isVisible());
        for (int index = 0; index <= 8; ++index)
            QVERIFY(m_form->Label2[index]->isEnabled());
        QCOMPARE(m_form->Label5[0]->caption(), QStringLiteral("0"));
        QCOMPARE(m_form->Label5[1]->caption(), QStringLiteral("0"));
        QVERIFY(!m_form->Timer1->isEnabled());
    }

    // The score character of a slot, in memory and in the file.
    void verifyRecord(int line, int slot, int score)
    {
        const QByteArray memory = state().Result_Lines.at(line);
        QCOMPARE(memory.size(), ResultsFile::lineLength);
        QCOMPARE(int(uchar(memory.at(slot - 1))), 32 + score);
        const QByteArray stamp = memory.mid(ResultsFile::stampStart(slot) - 1, 15);
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d-\\d\\d-\\d{4}\\d\\d:\\d\\d$"))
                     .match(QString::fromLatin1(stamp))
                     .hasMatch(),
                 stamp.constData());
        const QList<QByteArray> lines = resultsFile().split('\n');
        QCOMPARE(lines.size(), 31); // 30 lines, each ended
        QCOMPARE(lines.at(line - 1), memory + '\r');
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
        // Vocabulary 1: ten sets A/B. Vocabulary 2: one set whose fifth left word is empty.
        // Vocabulary 3: 151 sets.
        QStringList second = wordLines("C", "D", 10);
        second[4] = QStringLiteral("\\D5");
        const QStringList lines = QStringList{"#1"} + wordLines("A", "B", 100) + QStringList{"#2"} +
                                  second + QStringList{"#3"} + wordLines("E", "F", 1510) +
                                  QStringList{"#"};
        QFile file(m_folder->filePath(QString::fromLatin1(VocabularyDatabase::fileName)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.join(crlf).toLatin1() + "\r\n");
        file.close();

        m_program = new Program({m_folder->path(), m_folder->path()});
        m_program->random().fixSeed(5);
        m_form = m_program->form1();
        m_form->showForm();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        Load_Database(state().Database_Lines);
        m_form->Menu1_Click(1);

        m_transform = nullptr;
        m_atAnswerTick = nullptr;
        m_prompts.clear();
        m_answerTicks.clear();
        m_correctionTicks.clear();
        m_corrections.clear();
        m_verdictTicks = 0;
        m_verdict.clear();
        m_scoreShown.clear();
        m_fileDuringPause.clear();
        m_lockedDuringTest = true;
        m_word = 0;
    }
    void cleanup()
    {
        m_ticker.reset();
        delete m_program;
        QDir::setCurrent(QDir::tempPath());
        delete m_folder;
    }

    void answersAreJudgedExactly_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("leftWord");
        QTest::addColumn<bool>("right");

        QTest::newRow("identical") << "talo"
                                   << "talo" << true;
        QTest::newRow("case differs") << "Talo"
                                      << "talo" << false;
        QTest::newRow("leading blank") << " talo"
                                       << "talo" << false;
        QTest::newRow("trailing blank") << "talo "
                                        << "talo" << false;
        QTest::newRow("blank inside kept") << "hard disk"
                                           << "hard disk" << true;
        QTest::newRow("letters with accents") << "sähkö"
                                              << "sähkö" << true;
        QTest::newRow("accents differ") << "sahko"
                                        << "sähkö" << false;
        QTest::newRow("empty matches empty") << ""
                                             << "" << true;
        QTest::newRow("empty answer") << ""
                                      << "talo" << false;
        QTest::newRow("answer to an empty word") << "talo"
                                                 << "" << false;
    }
    void answersAreJudgedExactly()
    {
        QFETCH(QString, answer);
        QFETCH(QString, leftWord);
        QFETCH(bool, right);
        QCOMPARE(TestScoring::isRight(answer, leftWord), right);
    }

    void pointsAndVerdict_data()
    {
        QTest::addColumn<int>("reactionTicks");
        QTest::addColumn<int>("points");
        QTest::newRow("never taken") << 0 << 10;
        QTest::newRow("at the limit") << 40 << 10;
        QTest::newRow("past the limit") << 41 << 5;
        QTest::newRow("stop pending") << 1100 << 5;
    }
    void pointsAndVerdict()
    {
        QFETCH(int, reactionTicks);
        QFETCH(int, points);
        QCOMPARE(TestScoring::pointsFor(reactionTicks), points);
    }

    void advanceRule_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("setNumber");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<int>("after");

        QTest::newRow("100 advances") << 100 << 1 << 10 << "Onneksi olkoon" << 2;
        QTest::newRow("exactly 80 advances") << 80 << 4 << 10 << "Onneksi olkoon" << 5;
        QTest::newRow("75 stays") << 75 << 4 << 10 << "Harjoittele vielä" << 4;
        QTest::newRow("0 stays") << 0 << 1 << 10 << "Harjoittele vielä" << 1;
        QTest::newRow("last set stays") << 100 << 10 << 10 << "Onneksi olkoon" << 10;
        QTest::newRow("past the last set stays") << 90 << 11 << 10 << "Onneksi olkoon" << 11;
        QTest::newRow("no whole set stays") << 100 << 1 << 0 << "Onneksi olkoon" << 1;
    }
    void advanceRule()
    {
        QFETCH(int, score);
        QFETCH(int, setNumber);
        QFETCH(int, total);
        QFETCH(QString, verdict);
        QFETCH(int, after);
        QCOMPARE(TestScoring::verdict(score), verdict);
        QCOMPARE(TestScoring::setAfterTest(score, setNumber, total), after);
    }

    void tenQuickRightAnswersPassAndAdvance()
    {
        runTest(QStringLiteral("FFFFFFFFFF"));

        QCOMPARE(m_prompts.size(), 10);
        const QStringList set = numbered(QStringLiteral("B"), 1);
        QCOMPARE(QSet<QString>(m_prompts.cbegin(), m_prompts.cend()),
                 QSet<QString>(set.cbegin(), set.cend()));
        QVERIFY(m_prompts != set); // asked in a drawn order
        QVERIFY(m_lockedDuringTest);
        QCOMPARE(m_correctionTicks, QList<int>(10, 0));

        QCOMPARE(m_scoreShown, QStringLiteral("100"));
        QCOMPARE(m_verdict, QStringLiteral("Onneksi olkoon"));
        QCOMPARE(m_verdictTicks, 31);
        // The record is written before the pause.
        QCOMPARE(m_fileDuringPause, resultsFile());
        verifyRecord(1, 1, 100);
        // Nothing else in the file changed.
        QCOMPARE(state().Result_Lines.at(1).mid(1, 99), QByteArray(99, ' '));
        for (int line = 2; line <= 30; ++line)
            QCOMPARE(state().Result_Lines.at(line), QByteArray(ResultsFile::lineLength, ' '));

        verifyBrowsingView();
        QCOMPARE(indicator(), QStringLiteral(" 2/ 10"));
        QCOMPARE(state().Set_Number, 2);
        QCOMPARE(state().Left_Words.at(1), QStringLiteral("A11"));
    }

    void theScoreDecidesVerdictAndAdvance_data()
    {
        QTest::addColumn<QString>("startIndicator");
        QTest::addColumn<QString>("plan");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("indicatorAfter");

        QTest::newRow("exactly 80 advances") << "1/10"
                                             << "FFFFFFFFWW" << 80 << "Onneksi olkoon"
                                             << " 2/ 10";
        QTest::newRow("75 stays") << "1/10"
                                  << "FFFFFFFSWW" << 75 << "Harjoittele vielä"
                                  << " 1/ 10";
        QTest::newRow("reaction 40 earns 10") << "3/10"
                                              << "LLLLLLLLLL" << 100 << "Onneksi olkoon"
                                              << " 4/ 10";
        QTest::newRow("reaction 41 earns 5") << "3/10"
                                             << "SSSSSSSSSS" << 50 << "Harjoittele vielä"
                                             << " 3/ 10";
        QTest::newRow("last set passed stays") << "10/10"
                                               << "FFFFFFFFFF" << 100 << "Onneksi olkoon"
                                               << " 10/ 10";
        QTest::newRow("all wrong") << "1/10"
                                   << "WWWWWWWWWW" << 0 << "Harjoittele vielä"
                                   << " 1/ 10";
    }
    void theScoreDecidesVerdictAndAdvance()
    {
        QFETCH(QString, startIndicator);
        QFETCH(QString, plan);
        QFETCH(int, score);
        QFETCH(QString, verdict);
        QFETCH(QString, indicatorAfter);

        m_form->Label2[7]->setCaption(startIndicator);
        runTest(plan);

        QCOMPARE(m_prompts.size(), 10);
        QCOMPARE(m_scoreShown, QString::number(score));
        QCOMPARE(m_verdict, verdict);
        verifyRecord(1, Text_Int(startIndicator), score);
        QCOMPARE(indicator(), indicatorAfter);
        verifyBrowsingView();
    }

    void aSecondTestOverwritesTheSlot()
    {
        runTest(QStringLiteral("FFFFFFFFFF"));
        m_form->Label2[7]->setCaption(QStringLiteral("1/10"));
        m_word = 0;
        runTest(QStringLiteral("FFFFFFFSWW"));
        verifyRecord(1, 1, 75);
        QCOMPARE(indicator(), QStringLiteral(" 1/ 10"));
    }

    void aWrongAnswerShowsTheLeftWord_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("lower case") << "lower";
        QTest::newRow("leading blank") << "leading";
        QTest::newRow("trailing blank") << "trailing";
        QTest::newRow("another word") << "other";
    }
    void aWrongAnswerShowsTheLeftWord()
    {
        QFETCH(QString, change);
        m_transform = [change](const QString &word) {
            if (change == QLatin1String("lower"))
                return word.toLower();
            if (change == QLatin1String("leading"))
                return QLatin1Char(' ') + word;
            if (change == QLatin1String("trailing"))
                return word + QLatin1Char(' ');
            return QStringLiteral("xyz");
        };
        runTest(QStringLiteral("TTTTTTTTTT"));

        QCOMPARE(m_prompts.size(), 10);
        QCOMPARE(m_scoreShown, QStringLiteral("0"));
        QCOMPARE(m_verdict, QStringLiteral("Harjoittele vielä"));
        QCOMPARE(m_correctionTicks, QList<int>(10, 21));
        for (int k = 0; k < 10; ++k) {
            QString left = m_prompts.at(k);
            left[0] = QLatin1Char('A');
            QCOMPARE(m_corrections.at(k), left);
        }
        verifyRecord(1, 1, 0);
        QCOMPARE(indicator(), QStringLiteral(" 1/ 10"));
    }

    void enterOutsideTheAnswerWaitIsIgnored()
    {
        runTest(QStringLiteral("EEEEEEEEEE"));
        // Each word still waited for its own Enter, at its first tick.
        QCOMPARE(m_prompts.size(), 10);
        QCOMPARE(m_answerTicks, QList<int>(10, 1));
        QCOMPARE(m_correctionTicks, QList<int>(10, 21));
    }

    void aStopEndsTheTestAfterThisWord_data()
    {
        QTest::addColumn<QString>("plan");
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("indicatorAfter");

        QTest::newRow("at the ninth word, empty box, after eight quick")
            << "FFFFFFFFA" << 9 << 80 << " 2/ 10";
        QTest::newRow("at the first word, empty box") << "A" << 1 << 0 << " 1/ 10";
        QTest::newRow("at the first word, answer typed") << "X" << 1 << 10 << " 1/ 10";
        QTest::newRow("during the right answer's display") << "FFV" << 3 << 20 << " 1/ 10";
    }
    void aStopEndsTheTestAfterThisWord()
    {
        QFETCH(QString, plan);
        QFETCH(int, words);
        QFETCH(int, score);
        QFETCH(QString, indicatorAfter);

        runTest(plan);

        QCOMPARE(m_prompts.size(), words);
        QCOMPARE(m_scoreShown, QString::number(score));
        QCOMPARE(m_verdict, TestScoring::verdict(score));
        // A stopped display of the right answer ends at the next tick.
        if (plan.endsWith(QLatin1Char('V')))
            QCOMPARE(m_correctionTicks.last(), 6);
        QCOMPARE(m_verdictTicks, 31);
        verifyRecord(1, 1, score);
        QCOMPARE(indicator(), indicatorAfter);
        QCOMPARE(state().Clock.Abort_Flag, 0);
        verifyBrowsingView();
    }

    void aStopPendingAtTheStartAsksOneWord_data()
    {
        QTest::addColumn<bool>("tickDuringDraw");
        QTest::newRow("draw completes") << false;
        QTest::newRow("draw cut short by the first tick") << true;
    }
    void aStopPendingAtTheStartAsksOneWord()
    {
        QFETCH(bool, tickDuringDraw);
        state().Clock.Abort_Flag = 1;
        state().Clock.Answer_Flag = 1;

        runTest(QStringLiteral("FFFFFFFFFF"), tickDuringDraw);

        QCOMPARE(m_prompts.size(), 1);
        // The stop keeps the count above the fast limit: a right answer earns 5.
        QCOMPARE(m_scoreShown, QStringLiteral("5"));
        verifyRecord(1, 1, 5);
        QCOMPARE(state().Clock.Abort_Flag, 0);
        QCOMPARE(m_verdictTicks, 31);
        QCOMPARE(indicator(), QStringLiteral(" 1/ 10"));
    }

    void anAnswerWithoutKeysKeepsTheLastReactionTime_data()
    {
        QTest::addColumn<int>("reactionBefore");
        QTest::addColumn<int>("score");
        QTest::newRow("first test of a run") << 0 << 100;
        QTest::newRow("slow snapshot left from before") << 41 << 50;
    }
    void anAnswerWithoutKeysKeepsTheLastReactionTime()
    {
        QFETCH(int, reactionBefore);
        QFETCH(int, score);
        state().Clock.Reaction_Ticks = reactionBefore;
        runTest(QStringLiteral("PPPPPPPPPP"));
        QCOMPARE(m_scoreShown, QString::number(score));
        QCOMPARE(state().Clock.Reaction_Ticks, reactionBefore);
    }

    void anEmptyLeftWordIsMatchedByAnEmptyBox()
    {
        m_form->Menu1_Click(2);
        QCOMPARE(state().Left_Words.at(5), QString());
        runTest(QStringLiteral("FFFFFFFFFF"));
        QVERIFY(m_prompts.contains(QStringLiteral("D5")));
        QCOMPARE(m_scoreShown, QStringLiteral("100"));
        verifyRecord(2, 1, 100);
    }

    void theRecordGoesToTheSetShownWhenTheWordsAreDone()
    {
        // ">>" during the last answer wait: that word is judged against the next set.
        m_atAnswerTick = [this](int word, int tick) {
            if (word == 10 && tick == 1)
                QTest::mouseClick(m_form->Label2[6], Qt::LeftButton);
        };
        runTest(QStringLiteral("FFFFFFFFFF"));
        // The typed word of set 1 is wrong for the next set's word of the same number.
        QCOMPARE(m_correctionTicks.last(), 21);
        QCOMPARE(m_corrections.last(),
                 QStringLiteral("A%1").arg(10 + m_prompts.last().mid(1).toInt()));
        QCOMPARE(m_scoreShown, QStringLiteral("90"));
        verifyRecord(1, 2, 90);
        QCOMPARE(state().Result_Lines.at(1).at(0), ' ');
        QCOMPARE(indicator(), QStringLiteral(" 3/ 10"));
    }

    void aSetPastTheHundredthRecordsNothing()
    {
        m_form->Menu1_Click(3);
        m_form->Label2[7]->setCaption(QStringLiteral("150/151"));
        const QByteArray before = resultsFile();

        runTest(QStringLiteral("FFFFFFFFFF"));

        QCOMPARE(m_scoreShown, QStringLiteral("100"));
        QCOMPARE(m_verdict, QStringLiteral("Onneksi olkoon"));
        // The line keeps its 100 score characters and 100 stamps.
        QCOMPARE(resultsFile(), before);
        for (int line = 1; line <= 30; ++line)
            QCOMPARE(state().Result_Lines.at(line), QByteArray(ResultsFile::lineLength, ' '));
        QCOMPARE(indicator(), QStringLiteral(" 151/ 151"));
    }

    void aFailedSaveKeepsTheRecord()
    {
        const QByteArray before = resultsFile();
        // A current folder that is gone: the save cannot write anywhere.
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("gone")));
        const QString gone = m_folder->filePath(QStringLiteral("gone"));
        QVERIFY(QDir::setCurrent(gone));
        QVERIFY(QDir(gone).removeRecursively());

        runTest(QStringLiteral("FFFFFFFFFF"));

        QCOMPARE(m_verdict, QStringLiteral("Onneksi olkoon"));
        QCOMPARE(resultsFile(), before);
        QCOMPARE(int(uchar(state().Result_Lines.at(1).at(0))), 132);
        QCOMPARE(indicator(), QStringLiteral(" 2/ 10"));

        // The next save that succeeds writes it.
        QVERIFY(QDir::setCurrent(m_folder->path()));
        QVERIFY(Save_Results_File(state().Result_Lines));
        verifyRecord(1, 1, 100);
    }

    void afterTheTestTheArrowKeysMoveTheBarAgain()
    {
        bool focused = false;
        m_atAnswerTick = [&](int word, int tick) {
            if (word == 1 && tick == 1) {
                m_form->Text1->setFocus(); // the user clicks into the answer box
                focused = m_form->Text1->hasFocus();
            }
        };
        runTest(QStringLiteral("FFFFFFFFFF"));
        QVERIFY(focused);
        QVERIFY(!m_form->Text1->hasFocus());
        QCOMPARE(Layout::topTwips(m_form->Shape2), 1755);
        QTest::keyClick(m_form->windowHandle(), Qt::Key_Down);
        QCOMPARE(Layout::topTwips(m_form->Shape2), 2025);
    }
};

QTEST_MAIN(TestTimedTest)
#include "tst_timedtest.moc"
