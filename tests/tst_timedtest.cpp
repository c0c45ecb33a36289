#include "drillticker.h"

#include "main/resultsfile.h"
#include "main/testscoring.h"
#include "platform/layout.h"
#include "programfixture.h"

#include <QRegularExpression>
#include <QSet>

#include <memory>

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

    // What one run looked like.
    struct Run
    {
        QStringList prompts;
        QList<int> answerTicks;     // ticks of each answer wait
        QList<int> correctionTicks; // ticks of each right answer's display, 0 when none
        QStringList corrections;    // what the box showed during the display
        int verdictTicks = 0;
        QString verdict;
        QString scoreShown;
        QByteArray fileDuringPause;
        bool lockedDuringTest = true;
        int word = 0;
        int waitTick = 0;
        bool answered = false;
        QString leftAsked;
    };

    std::unique_ptr<ProgramFixture> m_fixture;
    Form1 *m_form = nullptr;
    std::unique_ptr<DrillTicker> m_ticker;
    QString m_plan;
    std::function<QString(const QString &)> m_transform;
    // Runs at each tick of an answer wait, before the plan: the word (from 1) and the tick.
    std::function<void(int word, int tick)> m_atAnswerTick;
    Run m_run;

    Shared_State &state() { return m_fixture->state(); }
    QString indicator() const { return m_form->Label2[7]->caption(); }
    QByteArray resultsFile() const
    {
        return m_fixture->readFile(QString::fromLatin1(ResultsFile::fileName));
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

    bool inDrillView() const
    {
        const auto &button = m_form->Label2;
        return !button[1]->isEnabled() && !button[2]->isEnabled() && !button[3]->isEnabled() &&
               button[0]->isEnabled() && button[4]->isEnabled() && button[5]->isEnabled() &&
               button[6]->isEnabled() && m_form->Label6->isVisible() &&
               m_form->Text1->isVisible() && m_form->Label1[0]->isHidden() &&
               m_form->Label1[1]->isHidden() && m_form->Shape2->isHidden() &&
               m_form->Label7->isHidden();
    }

    void onTick()
    {
        Run &run = m_run;
        if (m_form->Label7->isVisible()) {
            if (run.verdictTicks++ == 0) {
                run.verdict = m_form->Label7->caption();
                run.scoreShown = m_form->Label5[0]->caption();
                run.fileDuringPause = resultsFile();
            }
            return;
        }
        const int word = m_form->Label5[1]->caption().toInt();
        if (word == 0)
            return; // a tick of the draw
        if (word != run.word) {
            run.word = word;
            run.waitTick = 0;
            run.answered = false;
            run.prompts << m_form->Label6->caption();
            run.leftAsked = leftWordOf(run.prompts.last());
            run.answerTicks << 0;
            run.correctionTicks << 0;
            run.corrections << QString();
            run.lockedDuringTest = run.lockedDuringTest && inDrillView();
        }
        ++run.waitTick;
        const QChar plan = word <= m_plan.size() ? m_plan.at(word - 1) : QLatin1Char('W');
        if (run.answered) {
            ++run.correctionTicks.last();
            run.corrections.last() = m_form->Text1->text();
            if (plan == QLatin1Char('V') && run.correctionTicks.last() == 5)
                stop();
            if (plan == QLatin1Char('E') && run.correctionTicks.last() == 3)
                enter();
            return;
        }
        run.answerTicks.last() = run.waitTick;
        if (m_atAnswerTick)
            m_atAnswerTick(word, run.waitTick);

        const int secondKeyTick = plan == QLatin1Char('L') ? 40 : plan == QLatin1Char('S') ? 41 : 1;
        const QString left = run.leftAsked;
        run.answered = true;
        switch (plan.toLatin1()) {
        case 'F':
        case 'L':
        case 'S':
            if (run.waitTick == 1)
                type(left.left(1));
            run.answered = run.waitTick == secondKeyTick;
            if (run.answered) {
                type(left.mid(1));
                enter();
            }
            break;
        case 'P':
            m_form->Text1->setText(left);
            enter();
            break;
        case 'T':
            type(m_transform(left));
            enter();
            break;
        case 'A':
            stop();
            break;
        case 'X':
            type(left);
            stop();
            break;
        default: // W, V, E
            enter();
            break;
        }
    }

    // Runs one test with a driven clock, answering by the plan.
    void runTest(const QString &plan, bool tickDuringDraw = false)
    {
        m_plan = plan;
        m_run = Run();
        m_ticker = std::make_unique<DrillTicker>(
            *m_form, [this] { return m_form->Label5[1]->caption() == QLatin1String("0"); });
        m_ticker->tickDuringDraw = tickDuringDraw;
        m_ticker->onTick = [this] { onTick(); };
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

    // The results, in memory and in the file, hold this one record and are blank otherwise.
    void verifyOnlyRecord(int line, int slot, int score)
    {
        const int stampAt = ResultsFile::stampStart(slot) - 1;
        const QByteArray stamp = state().Result_Lines.at(line).mid(stampAt, 15);
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d-\\d\\d-\\d{4}\\d\\d:\\d\\d$"))
                     .match(QString::fromLatin1(stamp))
                     .hasMatch(),
                 stamp.constData());
        QByteArray file;
        for (int l = 1; l <= 30; ++l) {
            QByteArray expected(ResultsFile::lineLength, ' ');
            if (l == line) {
                expected[slot - 1] = char(32 + score);
                expected.replace(stampAt, 15, stamp);
            }
            QCOMPARE(state().Result_Lines.at(l), expected);
            file += expected + "\r\n";
        }
        QCOMPARE(resultsFile(), file);
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<ProgramFixture>();
        // Vocabulary 1: ten sets A/B. Vocabulary 2: one set whose fifth left word is empty.
        // Vocabulary 3: 151 sets.
        QStringList second = ProgramFixture::section(2, 10, "C%1", "D%1");
        second[5] = QStringLiteral("\\D5");
        m_fixture->writeDatabase(ProgramFixture::section(1, 100) + second +
                                 ProgramFixture::section(3, 1510, "E%1", "F%1") + QStringList{"#"});
        m_fixture->program().random().fixSeed(5);
        m_form = m_fixture->form1();
        QVERIFY(ProgramFixture::activate(m_form));
        m_form->Menu1_Click(1);
        m_transform = nullptr;
        m_atAnswerTick = nullptr;
    }
    void cleanup()
    {
        m_ticker.reset();
        m_fixture.reset();
    }

    // Only the cases that the runs below do not meet.
    void answersAreJudgedExactly_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("leftWord");
        QTest::addColumn<bool>("right");

        QTest::newRow("blank inside kept")
            << QStringLiteral("hard disk") << QStringLiteral("hard disk") << true;
        QTest::newRow("letters with accents")
            << QStringLiteral("sähkö") << QStringLiteral("sähkö") << true;
        QTest::newRow("accents differ")
            << QStringLiteral("sahko") << QStringLiteral("sähkö") << false;
        QTest::newRow("empty answer") << QString() << QStringLiteral("talo") << false;
        QTest::newRow("answer to an empty word") << QStringLiteral("talo") << QString() << false;
    }
    void answersAreJudgedExactly()
    {
        QFETCH(QString, answer);
        QFETCH(QString, leftWord);
        QFETCH(bool, right);
        QCOMPARE(TestScoring::isRight(answer, leftWord), right);
    }

    void advanceRule_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("setNumber");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("after");

        QTest::newRow("exactly 80 advances") << 80 << 4 << 10 << 5;
        QTest::newRow("75 stays") << 75 << 4 << 10 << 4;
        QTest::newRow("last set stays") << 100 << 10 << 10 << 10;
        QTest::newRow("past the last set stays") << 90 << 11 << 10 << 11;
        QTest::newRow("no whole set stays") << 100 << 1 << 0 << 1;
    }
    void advanceRule()
    {
        QFETCH(int, score);
        QFETCH(int, setNumber);
        QFETCH(int, total);
        QFETCH(int, after);
        QCOMPARE(TestScoring::setAfterTest(score, setNumber, total), after);
    }

    void theScoreDecidesVerdictAndAdvance_data()
    {
        QTest::addColumn<int>("set"); // of ten
        QTest::addColumn<QString>("plan");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<int>("setAfter");

        const QString pass = QStringLiteral("Onneksi olkoon");
        const QString fail = QStringLiteral("Harjoittele vielä");
        QTest::newRow("ten quick right answers") << 1 << "FFFFFFFFFF" << 100 << pass << 2;
        QTest::newRow("exactly 80 advances") << 1 << "FFFFFFFFWW" << 80 << pass << 2;
        QTest::newRow("75 stays") << 1 << "FFFFFFFSWW" << 75 << fail << 1;
        QTest::newRow("reaction 40 earns 10") << 3 << "LLLLLLLLLL" << 100 << pass << 4;
        QTest::newRow("reaction 41 earns 5") << 3 << "SSSSSSSSSS" << 50 << fail << 3;
        QTest::newRow("last set passed stays") << 10 << "FFFFFFFFFF" << 100 << pass << 10;
        QTest::newRow("all wrong") << 1 << "WWWWWWWWWW" << 0 << fail << 1;
    }
    void theScoreDecidesVerdictAndAdvance()
    {
        QFETCH(int, set);
        QFETCH(QString, plan);
        QFETCH(int, score);
        QFETCH(QString, verdict);
        QFETCH(int, setAfter);

        m_form->Label2[7]->setCaption(QStringLiteral("%1/10").arg(set));
        runTest(plan);

        // The set's ten words, each asked once, in a drawn order.
        const QStringList words = ProgramFixture::numbered(QStringLiteral("B%1"), 10 * set - 9);
        QCOMPARE(QSet<QString>(m_run.prompts.cbegin(), m_run.prompts.cend()),
                 QSet<QString>(words.cbegin(), words.cend()));
        QCOMPARE(m_run.prompts.size(), 10);
        QVERIFY(m_run.prompts != words);
        QVERIFY(m_run.lockedDuringTest);

        QCOMPARE(m_run.scoreShown, QString::number(score));
        QCOMPARE(m_run.verdict, verdict);
        QCOMPARE(m_run.verdictTicks, 31);
        // The record is written before the pause.
        QCOMPARE(m_run.fileDuringPause, resultsFile());
        verifyOnlyRecord(1, set, score);

        verifyBrowsingView();
        QCOMPARE(indicator(), QStringLiteral(" %1/ 10").arg(setAfter));
        QCOMPARE(state().Set_Number, setAfter);
        QCOMPARE(state().Left_Words.at(1), QStringLiteral("A%1").arg(10 * setAfter - 9));
    }

    void aSecondTestOverwritesTheSlot()
    {
        runTest(QStringLiteral("FFFFFFFFFF"));
        m_form->Label2[7]->setCaption(QStringLiteral("1/10"));
        runTest(QStringLiteral("FFFFFFFSWW"));
        verifyOnlyRecord(1, 1, 75);
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

        QCOMPARE(m_run.prompts.size(), 10);
        QCOMPARE(m_run.scoreShown, QStringLiteral("0"));
        QCOMPARE(m_run.verdict, QStringLiteral("Harjoittele vielä"));
        QCOMPARE(m_run.correctionTicks, QList<int>(10, 21));
        for (int k = 0; k < 10; ++k)
            QCOMPARE(m_run.corrections.at(k), QLatin1Char('A') + m_run.prompts.at(k).mid(1));
        verifyOnlyRecord(1, 1, 0);
        QCOMPARE(indicator(), QStringLiteral(" 1/ 10"));
    }

    void enterOutsideTheAnswerWaitIsIgnored()
    {
        runTest(QStringLiteral("EEEEEEEEEE"));
        // Each word still waited for its own Enter, at its first tick.
        QCOMPARE(m_run.prompts.size(), 10);
        QCOMPARE(m_run.answerTicks, QList<int>(10, 1));
        QCOMPARE(m_run.correctionTicks, QList<int>(10, 21));
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

        QCOMPARE(m_run.prompts.size(), words);
        QCOMPARE(m_run.scoreShown, QString::number(score));
        QCOMPARE(m_run.verdict, PassMark::verdict(score));
        // A stopped display of the right answer ends at the next tick.
        if (plan.endsWith(QLatin1Char('V')))
            QCOMPARE(m_run.correctionTicks.last(), 6);
        QCOMPARE(m_run.verdictTicks, 31);
        verifyOnlyRecord(1, 1, score);
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

        QCOMPARE(m_run.prompts.size(), 1);
        // The stop keeps the count above the fast limit: a right answer earns 5.
        QCOMPARE(m_run.scoreShown, QStringLiteral("5"));
        verifyOnlyRecord(1, 1, 5);
        QCOMPARE(state().Clock.Abort_Flag, 0);
        QCOMPARE(m_run.verdictTicks, 31);
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
        QCOMPARE(m_run.scoreShown, QString::number(score));
        QCOMPARE(state().Clock.Reaction_Ticks, reactionBefore);
    }

    void anEmptyLeftWordIsMatchedByAnEmptyBox()
    {
        m_form->Menu1_Click(2);
        QCOMPARE(state().Left_Words.at(5), QString());
        runTest(QStringLiteral("FFFFFFFFFF"));
        QVERIFY(m_run.prompts.contains(QStringLiteral("D5")));
        QCOMPARE(m_run.scoreShown, QStringLiteral("100"));
        verifyOnlyRecord(2, 1, 100);
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
        QCOMPARE(m_run.correctionTicks.last(), 21);
        QCOMPARE(m_run.corrections.last(),
                 QStringLiteral("A%1").arg(10 + m_run.prompts.last().mid(1).toInt()));
        QCOMPARE(m_run.scoreShown, QStringLiteral("90"));
        verifyOnlyRecord(1, 2, 90);
        QCOMPARE(indicator(), QStringLiteral(" 3/ 10"));
    }

    void aSetPastTheHundredthRecordsNothing()
    {
        m_form->Menu1_Click(3);
        m_form->Label2[7]->setCaption(QStringLiteral("150/151"));
        const QByteArray before = resultsFile();

        runTest(QStringLiteral("FFFFFFFFFF"));

        QCOMPARE(m_run.scoreShown, QStringLiteral("100"));
        QCOMPARE(m_run.verdict, QStringLiteral("Onneksi olkoon"));
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
        const QString gone = m_fixture->path(QStringLiteral("gone"));
        QVERIFY(QDir().mkdir(gone));
        QVERIFY(QDir::setCurrent(gone));
        QVERIFY(QDir(gone).removeRecursively());

        runTest(QStringLiteral("FFFFFFFFFF"));

        QCOMPARE(m_run.verdict, QStringLiteral("Onneksi olkoon"));
        QCOMPARE(resultsFile(), before);
        QCOMPARE(int(uchar(state().Result_Lines.at(1).at(0))), 132);
        QCOMPARE(indicator(), QStringLiteral(" 2/ 10"));

        // The next save that succeeds writes it.
        QVERIFY(QDir::setCurrent(m_fixture->path(QString())));
        QVERIFY(Save_Results_File(state().Result_Lines));
        verifyOnlyRecord(1, 1, 100);
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
