#include "drillticker.h"

#include "main/highlightbar.h"
#include "main/wordcolumns.h"
#include "platform/layout.h"
#include "platform/twips.h"
#include "programfixture.h"

#include <QKeyEvent>
#include <QSet>

#include <memory>

namespace {

const QString crlf = QStringLiteral("\r\n");

// The lines of a column whose every line ends in CR LF; an unended rest makes it fail.
QStringList endedLines(const QString &caption)
{
    QStringList lines = caption.split(crlf);
    if (lines.takeLast() != QString())
        lines << QStringLiteral("<no line end>");
    return lines;
}

// The left partners of right words: "Bk" gives "<letter>k".
QStringList partners(const QStringList &rightWords, QChar letter = QLatin1Char('A'))
{
    QStringList left;
    for (const QString &word : rightWords)
        left << letter + word.mid(1);
    return left;
}

// What one reveal wait of the exercise looked like at its first tick.
struct RevealWait
{
    QString left;
    QString right;
    int barTop = 0;
    int ticks = 0;
};

} // namespace

class TestExercise : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_fixture;
    Form1 *m_form = nullptr;
    std::unique_ptr<DrillTicker> m_ticker;
    QList<RevealWait> m_waits;
    // Runs at each tick with the reveal wait (from 1) and the tick within it (from 1).
    std::function<void(int wait, int tick)> m_atTick;

    Shared_State &state() { return m_fixture->state(); }
    int barTop() const { return Layout::topTwips(m_form->Shape2); }
    QString left() const { return m_form->Label1[0]->caption(); }
    QString right() const { return m_form->Label1[1]->caption(); }

    // Runs the exercise with a driven clock, noting each reveal wait.
    void runExercise(bool tickDuringDraw = false)
    {
        m_waits.clear();
        // The right column is written as soon as the draw ends.
        m_ticker = std::make_unique<DrillTicker>(*m_form, [this] { return right().isEmpty(); });
        m_ticker->tickDuringDraw = tickDuringDraw;
        m_ticker->onTick = [this] {
            if (right().isEmpty())
                return; // a tick of the draw
            if (m_waits.size() == left().count(crlf))
                m_waits << RevealWait{left(), right(), barTop(), 0};
            ++m_waits.last().ticks;
            if (m_atTick)
                m_atTick(int(m_waits.size()), m_waits.last().ticks);
        };
        m_form->Harjoitus();
        m_ticker.reset();
    }

    // Through the window, so the key goes wherever the focus sends it.
    void releaseKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_form->windowHandle(), key, modifiers);
    }

private slots:
    void init()
    {
        m_fixture = std::make_unique<ProgramFixture>();
        m_fixture->writeDatabase(ProgramFixture::section(1, 100) +
                                 ProgramFixture::section(2, 100, "C%1", "D%1") + QStringList{"#"});
        m_fixture->program().random().fixSeed(7);
        m_form = m_fixture->form1();
        QVERIFY(ProgramFixture::activate(m_form));
        m_form->Menu1_Click(1);
        m_atTick = nullptr;
    }
    void cleanup()
    {
        m_ticker.reset();
        m_fixture.reset();
    }

    void keyMovesTheBarWithinTheLines_data()
    {
        QTest::addColumn<int>("barTop");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("expected");

        // The columns stand at 1800; the ten lines are tops 1755 to 4185.
        QTest::newRow("Down from the first line") << 1755 << 40 << 2025;
        QTest::newRow("Down from the ninth line") << 3915 << 40 << 4185;
        QTest::newRow("Down on the tenth line") << 4185 << 40 << 4185;
        QTest::newRow("Up on the first line") << 1755 << 38 << 1755;
        QTest::newRow("Up from the second line") << 2025 << 38 << 1755;
        QTest::newRow("Up from the tenth line") << 4185 << 38 << 3915;
        QTest::newRow("Up at distance 20 stays") << 1820 << 38 << 1820;
        QTest::newRow("Up at distance 21 moves") << 1821 << 38 << 1551;
        QTest::newRow("Down at distance 2299 moves") << 4099 << 40 << 4369;
        QTest::newRow("Down at distance 2300 stays") << 4100 << 40 << 4100;
        QTest::newRow("Up from past the tenth line") << 4725 << 38 << 4455;
        QTest::newRow("Left does nothing") << 2025 << 37 << 2025;
        QTest::newRow("Right does nothing") << 2025 << 39 << 2025;
        QTest::newRow("Enter does nothing") << 2025 << 13 << 2025;
    }
    void keyMovesTheBarWithinTheLines()
    {
        QFETCH(int, barTop);
        QFETCH(int, keyCode);
        QFETCH(int, expected);
        QCOMPARE(HighlightBar::topAfterKey(barTop, 1800, keyCode), expected);
    }

    void windowKeysMoveTheBar_data()
    {
        QTest::addColumn<int>("startTop");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("expected");

        QTest::newRow("Down") << 1755 << int(Qt::Key_Down) << 0 << 2025;
        QTest::newRow("Up") << 2025 << int(Qt::Key_Up) << 0 << 1755;
        QTest::newRow("Shift Down") << 1755 << int(Qt::Key_Down) << int(Qt::ShiftModifier) << 2025;
        QTest::newRow("Ctrl Up") << 2025 << int(Qt::Key_Up) << int(Qt::ControlModifier) << 1755;
        QTest::newRow("Up on the first line") << 1755 << int(Qt::Key_Up) << 0 << 1755;
        QTest::newRow("Down on the tenth line") << 4185 << int(Qt::Key_Down) << 0 << 4185;
        QTest::newRow("a letter") << 2025 << int(Qt::Key_A) << 0 << 2025;
        QTest::newRow("Page Down") << 2025 << int(Qt::Key_PageDown) << 0 << 2025;
    }
    void windowKeysMoveTheBar()
    {
        QFETCH(int, startTop);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, expected);
        Layout::setTopTwips(m_form->Shape2, startTop);
        releaseKey(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(barTop(), expected);
    }

    void aHeldKeyMovesTheBarOnceWhenReleased()
    {
        for (int k = 0; k < 5; ++k) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), k > 0);
            QApplication::sendEvent(m_form, &press);
            if (k < 4) {
                QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(m_form, &repeat);
            }
        }
        QCOMPARE(barTop(), 1755);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(m_form, &release);
        QCOMPARE(barTop(), 2025);
    }

    void aMenuChosenByKeyboardLeavesTheKeysToTheWindow()
    {
        QTest::keyClick(m_form->windowHandle(), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(m_form->Header1->isVisible());
        QTest::keyClick(m_form->Header1, Qt::Key_Down);
        QTest::keyClick(m_form->Header1, Qt::Key_Return);
        QTRY_VERIFY(!m_form->Header1->isVisible());
        QCOMPARE(m_form->Label3[1]->caption(), QStringLiteral("Tekninen"));
        releaseKey(Qt::Key_Down);
        QCOMPARE(barTop(), 2025);
    }

    void theBarFramesTheTenthLine()
    {
        // Where lines and bar steps differ, the tenth line is the farthest off. Its letters reach
        // the top and the bottom of the font's cell.
        CaptionLabel *column = m_form->Label1[0];
        column->setCaption(QStringLiteral("\r\n").repeated(9) + "ÅÉgjy");
        m_form->Shape2->hide();
        const QImage image = m_form->client()->grab(column->geometry()).toImage();
        const auto dark = [](int level) { return level < 160; };
        const QRect ink = ProgramFixture::pixelsWhere(image, dark).translated(column->pos());
        // Between the top and the bottom edge of the bar on that line.
        const int barTop = Twips::toPixels(HighlightBar::firstTop + 9 * HighlightBar::lineStep);
        QCOMPARE_GT(ink.top(), barTop);
        QCOMPARE_LT(ink.bottom(), barTop + Twips::toPixels(360) - 1);
    }

    void keysOfTheAnswerBoxDoNotMoveTheBar()
    {
        m_form->Text1->show();
        m_form->Text1->setFocus();
        QTRY_VERIFY(m_form->Text1->hasFocus());
        releaseKey(Qt::Key_Down);
        releaseKey(Qt::Key_Down);
        QCOMPARE(barTop(), 1755);
        QCOMPARE(m_form->Text1->text(), QString());
        // Should the box let a key through to the window, the window still leaves it alone.
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(m_form, &release);
        QCOMPARE(barTop(), 1755);
    }

    void revealsOneLineEvery31Ticks()
    {
        Layout::setTopTwips(m_form->Shape2, 1755);
        runExercise();

        QCOMPARE(m_waits.size(), 10);
        for (int k = 1; k <= 10; ++k) {
            const RevealWait &wait = m_waits.at(k - 1);
            QCOMPARE(wait.ticks, 31);
            // The right column is complete before the first reveal; k − 1 left words stand.
            QCOMPARE(wait.right, right());
            QCOMPARE(int(wait.left.count(crlf)), k - 1);
            // The bar marks the line whose left word comes next.
            QCOMPARE(wait.barTop, 1755 + 270 * (k - 1));
        }

        const QStringList rightLines = endedLines(right());
        const QStringList set = ProgramFixture::numbered(QStringLiteral("B%1"), 1);
        QCOMPARE(rightLines.size(), 10);
        QCOMPARE(QSet<QString>(rightLines.cbegin(), rightLines.cend()),
                 QSet<QString>(set.cbegin(), set.cend()));
        QVERIFY(rightLines != set); // a drawn order, not the set's own
        QCOMPARE(endedLines(left()), partners(rightLines));

        QCOMPARE(barTop(), 1755);
        QCOMPARE(state().Clock.Abort_Flag, 0);
        QVERIFY(!m_form->Timer1->isEnabled());
    }

    void aStopEndsAfterTheCurrentReveal_data()
    {
        QTest::addColumn<int>("stopWait");
        QTest::newRow("during the first wait") << 1;
        QTest::newRow("during the fourth wait") << 4;
        QTest::newRow("during the last wait") << 10;
    }
    void aStopEndsAfterTheCurrentReveal()
    {
        QFETCH(int, stopWait);
        m_atTick = [this, stopWait](int wait, int tick) {
            if (wait == stopWait && tick == 5)
                QTest::mouseClick(m_form->Label2[0], Qt::LeftButton);
        };
        runExercise();

        QCOMPARE(m_waits.size(), stopWait);
        QCOMPARE(m_waits.last().ticks, 6); // the tick after the click ends the wait
        QCOMPARE(endedLines(left()), partners(endedLines(right()).mid(0, stopWait)));
        QCOMPARE(state().Clock.Abort_Flag, 0);
        QCOMPARE(barTop(), 1755);
    }

    void aStopPendingAtTheStartEndsAfterTheFirstReveal_data()
    {
        QTest::addColumn<bool>("tickDuringDraw");
        QTest::addColumn<int>("distinctRightWords");
        QTest::newRow("draw completes before a tick") << false << 10;
        // The first tick forces the count past the guard: one number drawn, on every line.
        QTest::newRow("draw cut short by the first tick") << true << 1;
    }
    void aStopPendingAtTheStartEndsAfterTheFirstReveal()
    {
        QFETCH(bool, tickDuringDraw);
        QFETCH(int, distinctRightWords);
        state().Clock.Abort_Flag = 1;
        runExercise(tickDuringDraw);

        QCOMPARE(m_waits.size(), 1);
        QCOMPARE(m_waits.first().ticks, 1);
        const QStringList rightLines = endedLines(right());
        QCOMPARE(rightLines.size(), 10);
        QCOMPARE(QSet<QString>(rightLines.cbegin(), rightLines.cend()).size(), distinctRightWords);
        QCOMPARE(endedLines(left()), partners(rightLines.mid(0, 1)));
        QCOMPARE(state().Clock.Abort_Flag, 0);
    }

    void arrowKeysDuringTheExerciseShiftTheBar()
    {
        m_atTick = [this](int wait, int tick) {
            if (wait == 1 && tick == 1) {
                releaseKey(Qt::Key_Down);
                releaseKey(Qt::Key_Down);
            }
        };
        runExercise();
        QCOMPARE(m_waits.size(), 10);
        QCOMPARE(m_waits.at(1).barTop, 1755 + 270 * 3);
        // The exercise's own steps have no limits: two lines past the tenth.
        QCOMPARE(m_waits.at(9).barTop, 4725);
        QCOMPARE(barTop(), 1755);
    }

    void emptySetArraysGiveEmptyLines()
    {
        // As the exam window's activation leaves them.
        state().Left_Words.dimension(100);
        state().Right_Words.dimension(100);
        runExercise();
        QCOMPARE(right(), crlf.repeated(10));
        QCOMPARE(left(), crlf.repeated(10));
    }

    void aVocabularyChosenMidwaySuppliesTheRestOfTheReveals()
    {
        QStringList drawn;
        QString newLeftColumn;
        m_atTick = [&](int wait, int tick) {
            if (wait == 5 && tick == 1) {
                drawn = endedLines(right());
                m_form->Menu1_Click(2);
                newLeftColumn = left();
            }
        };
        runExercise();

        QCOMPARE(newLeftColumn, WordColumns::leftText(state().Left_Words));
        // The remaining six reveals go after the new set's column, at the drawn positions.
        QCOMPARE(left(),
                 newLeftColumn + partners(drawn.mid(4), QLatin1Char('C')).join(crlf) + crlf);
        QCOMPARE(right(), WordColumns::rightText(state().Right_Words));
    }
};

QTEST_MAIN(TestExercise)
#include "tst_exercise.moc"
