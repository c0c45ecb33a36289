#include "main/drillclock.h"
#include "main/form1.h"
#include "main/program.h"
#include "main/randomdraw.h"
#include "platform/programend.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <climits>
#include <functional>

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

    QTemporaryDir *m_folder = nullptr;
    Program *m_program = nullptr;
    Form1 *m_form = nullptr;
    int m_ticks = 0;
    std::function<void(int tick)> m_onTick;

    Drill_Clock &clock() { return m_program->state().Clock; }

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
        m_form = m_program->form1();
        m_form->showForm();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
        m_ticks = 0;
        m_onTick = nullptr;
        // Counts the ticks that reach the window, after Timer1_Timer has seen them.
        connect(m_form->Timer1, &QTimer::timeout, m_form, [this] {
            ++m_ticks;
            if (m_onTick)
                m_onTick(m_ticks);
        });
    }
    void cleanup()
    {
        delete m_program;
        delete m_folder;
    }

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

    void waitEndsAtTheTickAfterItsLimit_data()
    {
        QTest::addColumn<int>("limit");
        QTest::newRow("above 30") << 30;
        QTest::newRow("above 20") << 20;
    }
    void waitEndsAtTheTickAfterItsLimit()
    {
        QFETCH(int, limit);
        m_form->Timer1->setInterval(1);
        clock().Tick_Count = 500; // the wait starts from 0 whatever it held
        pollingWait(clock(), *m_form->Timer1, [&] { return clock().Tick_Count > limit; });
        QCOMPARE(clock().Tick_Count, limit + 1);
        QCOMPARE(m_ticks, limit + 1);
        QVERIFY(!m_form->Timer1->isEnabled());

        // With the timer off the count stays where the wait left it.
        QTest::qWait(30);
        QCOMPARE(clock().Tick_Count, limit + 1);
    }

    void waitRunsTheEventsBeforeItsFirstTest()
    {
        bool ran = false;
        QTimer::singleShot(0, m_form, [&] { ran = true; });
        clock().Tick_Count = 9;
        pollingWait(clock(), *m_form->Timer1, [] { return true; });
        QVERIFY(ran);
        QCOMPARE(clock().Tick_Count, 0);
        QVERIFY(!m_form->Timer1->isEnabled());
    }

    void stopRequestEndsATickWaitAtTheNextTick()
    {
        m_form->Timer1->setInterval(1);
        m_onTick = [this](int tick) {
            if (tick == 3)
                QTest::mouseClick(m_form->Label2[0], Qt::LeftButton);
        };
        pollingWait(clock(), *m_form->Timer1, [&] { return clock().Tick_Count > 30; });
        QCOMPARE(m_ticks, 4);
        QCOMPARE(clock().Tick_Count, 1100);
        QCOMPARE(clock().Abort_Flag, 1);
    }

    void stopRequestEndsAnAnswerWaitAtOnce()
    {
        m_form->Timer1->setInterval(10000); // a tick would take far longer than the wait
        QTimer::singleShot(0, m_form,
                           [this] { QTest::mouseClick(m_form->Label2[0], Qt::LeftButton); });
        QElapsedTimer elapsed;
        elapsed.start();
        pollingWait(clock(), *m_form->Timer1, [&] { return clock().Answer_Flag > 0; });
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
        pollingWait(clock(), *m_form->Timer1, [&] { return clock().Answer_Flag > 0; });
        QCOMPARE(clock().Tick_Count, 8);
        QCOMPARE(clock().Reaction_Ticks, 5); // taken as "b" went down
        QCOMPARE(m_form->Text1->text(), QStringLiteral("ab"));
    }

    // Keys: a letter types it, '\r' is Enter, '\b' Backspace, '^' Shift. Key k (from 1) goes
    // down with Tick_Count at 100 + k, so the snapshot tells which key took it.
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
        QTest::newRow("last snapshot counts") << "ab\bc" << 104 << 0 << "ac";
    }
    void keyDownSnapshotsAtOneCharacter()
    {
        QFETCH(QString, keys);
        QFETCH(int, reaction);
        QFETCH(int, answer);
        QFETCH(QString, text);

        m_form->Text1->show();
        m_form->Text1->clear();
        clock().Reaction_Ticks = -1;
        clock().Answer_Flag = 0;
        for (int k = 0; k < keys.size(); ++k) {
            clock().Tick_Count = 101 + k;
            const QChar key = keys.at(k);
            if (key == QLatin1Char('\r'))
                QTest::keyClick(m_form->Text1, Qt::Key_Return);
            else if (key == QLatin1Char('\b'))
                QTest::keyClick(m_form->Text1, Qt::Key_Backspace);
            else if (key == QLatin1Char('^'))
                QTest::keyClick(m_form->Text1, Qt::Key_Shift);
            else
                QTest::keyClick(m_form->Text1, key.toLatin1());
        }
        QCOMPARE(clock().Reaction_Ticks, reaction);
        QCOMPARE(clock().Answer_Flag, answer);
        // The handler lets every key through.
        QCOMPARE(m_form->Text1->text(), text);
    }

    void drawOrderIsAPermutationDrawnBetweenTicks()
    {
        m_form->Timer1->setInterval(1000);
        m_program->random().fixSeed(2024);
        const QString order = drawOrder(clock(), *m_form->Timer1, m_program->random());
        QVERIFY(!m_form->Timer1->isEnabled());
        // Each pass runs what is pending without sleeping until a tick.
        QCOMPARE(clock().Tick_Count, 0);

        QString rest = order;
        QSet<int> numbers;
        int n = 0;
        int taken = 0;
        while (takeDrawnNumber(rest, n)) {
            QVERIFY(n >= 1 && n <= 10);
            numbers.insert(n);
            ++taken;
        }
        QCOMPARE(taken, 10);
        QCOMPARE(numbers.size(), 10);

        // The seed fixed by the test is the one the draw's own seeding takes.
        QCOMPARE(drawOrder(clock(), *m_form->Timer1, m_program->random()), order);
    }

    // A drill waits for seconds at a time; the wait must leave the processor idle.
    void waitCostsNextToNoProcessorTime()
    {
        QCOMPARE(m_form->Timer1->interval(), 100);
        QElapsedTimer wall;
        const qint64 cpuBefore = processorMicroseconds();
        wall.start();
        pollingWait(clock(), *m_form->Timer1, [&] { return clock().Tick_Count > 30; });
        const qint64 wallMicroseconds = wall.nsecsElapsed() / 1000;
        const qint64 cpu = processorMicroseconds() - cpuBefore;

        QCOMPARE(clock().Tick_Count, 31);
        QVERIFY(wallMicroseconds > 2500000);
        const double share = double(cpu) / double(wallMicroseconds);
        qInfo("wait of 31 ticks: %.3f s wall, %.2f ms processor, %.3f %% of the wall time",
              double(wallMicroseconds) / 1e6, double(cpu) / 1e3, share * 100);
        // Well under 1 % on an idle machine; the bound leaves room for a busy one.
        QVERIFY2(share < 0.20, qPrintable(QString::number(share * 100) + QLatin1String(" %")));
    }
};

QTEST_MAIN(TestDrillClock)
#include "tst_drillclock.moc"
