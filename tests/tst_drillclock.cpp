#include "main/drillclock.h"
#include "main/randomdraw.h"
#include "programfixture.h"

#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>

namespace {

// The processor time of the whole process so far, user and system, in microseconds.
qint64 processorMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto micro = [](const timeval &t) { return qint64(t.tv_sec) * 1000000 + t.tv_usec; };
    return micro(usage.ru_utime) + micro(usage.ru_stime);
}

} // namespace

class TestDrillClock : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_fixture;
    Form1 *m_form = nullptr;
    int m_ticks = 0;
    std::function<void(int tick)> m_onTick;

    Drill_Clock &clock() { return m_fixture->state().Clock; }
    void wait(const std::function<bool()> &until) { pollingWait(clock(), *m_form->Timer1, until); }
    void stop() { QTest::mouseClick(m_form->Label2[0], Qt::LeftButton); }

private slots:
    void init()
    {
        m_fixture = std::make_unique<ProgramFixture>();
        m_form = m_fixture->form1();
        QVERIFY(ProgramFixture::activate(m_form));
        m_ticks = 0;
        m_onTick = nullptr;
        // Counts the ticks that reach the window, after Timer1_Timer has seen them.
        connect(m_form->Timer1, &QTimer::timeout, m_form, [this] {
            ++m_ticks;
            if (m_onTick)
                m_onTick(m_ticks);
        });
    }
    void cleanup() { m_fixture.reset(); }

    void tickAddsOneOrForcesTheStopValue_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("abort");
        QTest::addColumn<int>("after");

        QTest::newRow("first tick") << 0 << 0 << 1;
        QTest::newRow("31st tick") << 30 << 0 << 31;
        QTest::newRow("past 32767") << 32767 << 0 << 32768;
        QTest::newRow("stops at the top instead of wrapping") << INT_MAX << 0 << INT_MAX;
        QTest::newRow("stop pending, first tick") << 0 << 1 << 1100;
        QTest::newRow("stop pending, 1100 stays 1100") << 1100 << 1 << 1100;
        QTest::newRow("stop pending, above 1100") << 5000 << 1 << 1100;
    }
    void tickAddsOneOrForcesTheStopValue()
    {
        QFETCH(int, before);
        QFETCH(int, abort);
        QFETCH(int, after);
        clock().Tick_Count = before;
        clock().Abort_Flag = abort;
        m_form->Timer1_Timer();
        QCOMPARE(clock().Tick_Count, after);
        m_form->Timer1_Timer();
        QCOMPARE(clock().Tick_Count, abort ? 1100 : after == INT_MAX ? INT_MAX : after + 1);
        // The tick never clears the stop request.
        QCOMPARE(clock().Abort_Flag, abort);
    }

    void tickWaitEndsAtTheTickAfterItsLimit_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("stopAtTick"); // 0: no stop request
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("tickCount");

        QTest::newRow("above 30") << 30 << 0 << 31 << 31;
        QTest::newRow("above 20") << 20 << 0 << 21 << 21;
        QTest::newRow("a stop request ends it at the next tick") << 30 << 3 << 4 << 1100;
    }
    void tickWaitEndsAtTheTickAfterItsLimit()
    {
        QFETCH(int, limit);
        QFETCH(int, stopAtTick);
        QFETCH(int, ticks);
        QFETCH(int, tickCount);
        m_form->Timer1->setInterval(1);
        m_onTick = [this, stopAtTick](int tick) {
            if (tick == stopAtTick)
                stop();
        };
        clock().Tick_Count = 500; // the wait starts from 0 whatever it held
        wait([&] { return clock().Tick_Count > limit; });
        QCOMPARE(m_ticks, ticks);
        QCOMPARE(clock().Tick_Count, tickCount);
        QCOMPARE(clock().Abort_Flag, stopAtTick ? 1 : 0);
        QVERIFY(!m_form->Timer1->isEnabled());

        // With the timer off the count stays where the wait left it.
        QTest::qWait(30);
        QCOMPARE(clock().Tick_Count, tickCount);
    }

    void waitRunsTheEventsBeforeItsFirstTest()
    {
        bool ran = false;
        QTimer::singleShot(0, m_form, [&] { ran = true; });
        clock().Tick_Count = 9;
        wait([] { return true; });
        QVERIFY(ran);
        QCOMPARE(clock().Tick_Count, 0);
        QVERIFY(!m_form->Timer1->isEnabled());
    }

    void stopRequestEndsAnAnswerWaitAtOnce()
    {
        m_form->Timer1->setInterval(10000); // a tick would take far longer than the wait
        QTimer::singleShot(0, m_form, [this] { stop(); });
        QElapsedTimer elapsed;
        elapsed.start();
        wait([&] { return clock().Answer_Flag > 0; });
        QVERIFY(elapsed.elapsed() < 5000);
        QCOMPARE(m_ticks, 0);
        QCOMPARE(clock().Abort_Flag, 1);
    }

    void enterEndsAnAnswerWaitWithTheReactionTime()
    {
        m_form->Text1->show();
        m_form->Timer1->setInterval(1);
        clock().Reaction_Ticks = -1;
        m_onTick = [this](int tick) {
            if (tick == 5)
                QTest::keyClicks(m_form->Text1, QStringLiteral("ab"));
            if (tick == 8)
                QTest::keyClick(m_form->Text1, Qt::Key_Return);
        };
        wait([&] { return clock().Answer_Flag > 0; });
        QCOMPARE(clock().Tick_Count, 8);
        QCOMPARE(clock().Reaction_Ticks, 5); // taken as "b" went down
        QCOMPARE(m_form->Text1->text(), QStringLiteral("ab"));
    }

    // Keys: a letter types it, '\r' is Enter, '\b' Backspace, '\t' Tab, '^' Shift. Key k (from 1)
    // goes down with Tick_Count at 100 + k, so the snapshot tells which key took it.
    void keyDownSnapshotsAtOneCharacter_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("reaction");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");

        QTest::newRow("second character") << "ab" << 102 << 0 << "ab";
        QTest::newRow("third character finds two") << "abc" << 102 << 0 << "abc";
        QTest::newRow("one character takes none") << "a" << -1 << 0 << "a";
        QTest::newRow("Enter after one character") << "a\r" << 102 << 1 << "a";
        QTest::newRow("Enter on an empty box") << "\r" << -1 << 1 << "";
        QTest::newRow("second Backspace") << "ab\b\b" << 104 << 0 << "";
        QTest::newRow("Shift counts as a key") << "a^" << 102 << 0 << "a";
        QTest::newRow("Tab counts as a key") << "a\t" << 102 << 0 << "a";
        QTest::newRow("last snapshot counts") << "ab\bc" << 104 << 0 << "ac";
    }
    void keyDownSnapshotsAtOneCharacter()
    {
        QFETCH(QString, keys);
        QFETCH(int, reaction);
        QFETCH(int, answer);
        QFETCH(QString, text);

        m_form->Text1->show();
        clock().Reaction_Ticks = -1;
        for (int k = 0; k < keys.size(); ++k) {
            clock().Tick_Count = 101 + k;
            const char key = keys.at(k).toLatin1();
            if (key == '\r')
                QTest::keyClick(m_form->Text1, Qt::Key_Return);
            else if (key == '\b')
                QTest::keyClick(m_form->Text1, Qt::Key_Backspace);
            else if (key == '^')
                QTest::keyClick(m_form->Text1, Qt::Key_Shift);
            else if (key == '\t')
                QTest::keyClick(m_form->Text1, Qt::Key_Tab);
            else
                QTest::keyClick(m_form->Text1, key);
        }
        QCOMPARE(clock().Reaction_Ticks, reaction);
        QCOMPARE(clock().Answer_Flag, answer);
        // The handler lets every key through.
        QCOMPARE(m_form->Text1->text(), text);
    }

    void drawOrderIsAPermutationDrawnBetweenTicks()
    {
        m_form->Timer1->setInterval(1000);
        RandomGenerator &random = m_fixture->program().random();
        random.fixSeed(2024);
        const QString order = drawOrder(clock(), *m_form->Timer1, random);
        QVERIFY(!m_form->Timer1->isEnabled());
        // Each pass runs what is pending without sleeping until a tick.
        QCOMPARE(clock().Tick_Count, 0);

        QString rest = order;
        QList<int> numbers;
        for (int n = 0; takeDrawnNumber(rest, n);)
            numbers << n;
        std::sort(numbers.begin(), numbers.end());
        QCOMPARE(numbers, QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

        // The seed fixed by the test is the one the draw's own seeding takes.
        QCOMPARE(drawOrder(clock(), *m_form->Timer1, random), order);
    }

    // A drill waits for seconds at a time on the real 100 ms clock; the wait must leave the
    // processor idle.
    void waitCostsNextToNoProcessorTime()
    {
        QElapsedTimer wall;
        const qint64 cpuBefore = processorMicroseconds();
        wall.start();
        wait([&] { return clock().Tick_Count > 30; });
        const qint64 wallMicroseconds = wall.nsecsElapsed() / 1000;
        const qint64 cpu = processorMicroseconds() - cpuBefore;

        QCOMPARE(clock().Tick_Count, 31);
        QVERIFY(wallMicroseconds > 3000000);
        const double share = double(cpu) / double(wallMicroseconds);
        qInfo("wait of 31 ticks: %.3f s wall, %.2f ms processor, %.3f %% of the wall time",
              double(wallMicroseconds) / 1e6, double(cpu) / 1e3, share * 100);
        // Well under 1 % on an idle machine; the bound leaves room for a busy one.
        QVERIFY2(share < 0.20, qPrintable(QString::number(share * 100) + QLatin1String(" %")));
    }
};

QTEST_MAIN(TestDrillClock)
#include "tst_drillclock.moc"
