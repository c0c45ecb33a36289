#include "drillticker.h"

#include "main/form1.h"
#include "main/highlightbar.h"
#include "main/program.h"
#include "main/vocabularydatabase.h"
#include "main/wordcolumns.h"
#include "platform/keycodes.h"
#include "platform/layout.h"
#include "platform/programend.h"

#include <QFile>
#include <QKeyEvent>
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

// The lines of a column whose every line ends in CR LF; an unended rest makes it fail.
QStringList endedLines(const QString &caption)
{
    QStringList lines = caption.split(crlf);
    if (lines.takeLast() != QString())
        lines << QStringLiteral("<no line end>");
    return lines;
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

    QTemporaryDir *m_folder = nullptr;
    Program *m_program = nullptr;
    Form1 *m_form = nullptr;
    std::unique_ptr<DrillTicker> m_ticker;
    QList<RevealWait> m_waits;
    // Runs at each tick with the reveal wait (from 1) and the tick within it (from 1).
    std::function<void(int wait, int tick)> m_atTick;

    Shared_State &state() { return m_program->state(); }
    int barTop() const { return Layout::topTwips(m_form->Shape2); }
    QString left() const { return m_form->Label1[0]->caption(); }
    QString right() const { return m_form->Label1[1]->caption(); }

    // Runs the exercise with a driven clock, noting each reveal wait.
    void runExercise(bool tickDuringDraw = false)
    {
        m_waits.clear();
        m_ticker = std::make_unique<DrillTicker>(*m_form, state().Clock, [this] {
            return right().isEmpty(); // the right column is written as soon as the draw ends
        });
        m_ticker->tickDuringDraw = tickDuringDraw;
        m_ticker->onTick = [this](int) {
            const int revealed = int(left().count(crlf));
            if (right().isEmpty())
                return; // a tick of the draw
            if (m_waits.size() == revealed)
                m_waits << RevealWait{left(), right(), barTop(), 0};
            ++m_waits.last().ticks;
            if (m_atTick)
                m_atTick(int(m_waits.size()), m_waits.last().ticks);
        };
        m_form->Harjoitus();
        m_ticker.reset();
    }

    void releaseKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        // Through the window, so the key goes wherever the focus sends it.
        QTest::keyClick(m_form->windowHandle(), key, modifiers);
    }

    // Each right word's left partner stands on its line: Bk beside Ak.
    void verifyPartners(const QStringList &leftLines, const QStringList &rightLines,
                        const QString &leftPrefix, const QString &rightPrefix)
    {
        for (int j = 0; j < leftLines.size(); ++j) {
            QString expected = rightLines.at(j);
            expected.replace(0, rightPrefix.size(), leftPrefix);
            QCOMPARE(leftLines.at(j), expected);
        }
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
        const QStringList lines = QStringList{"#1"} + wordLines("A", "B", 100) + QStringList{"#2"} +
                                  wordLines("C", "D", 100) + QStringList{"#"};
        QFile file(m_folder->filePath(QString::fromLatin1(VocabularyDatabase::fileName)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lines.join(crlf).toLatin1() + "\r\n");
        file.close();

        m_program = new Program({m_folder->path(), m_folder->path()});
        m_program->random().fixSeed(7);
        m_form = m_program->form1();
        m_form->showForm();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
        Load_Database(state().Database_Lines);
        m_form->Menu1_Click(1);
        m_atTick = nullptr;
    }
    void cleanup()
    {
        m_ticker.reset();
        delete m_program;
        delete m_folder;
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

    void theKeysKeepTheBarOnTheTenLines()
    {
        QCOMPARE(barTop(), 1755);
        for (int k = 1; k <= 10; ++k)
            releaseKey(Qt::Key_Down);
        QCOMPARE(barTop(), 4185);
        for (int k = 1; k <= 10; ++k)
            releaseKey(Qt::Key_Up);
        QCOMPARE(barTop(), 1755);
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
        const QString finalRight = right();
        for (int k = 1; k <= 10; ++k) {
            const RevealWait &wait = m_waits.at(k - 1);
            QCOMPARE(wait.ticks, 31);
            // The right column is complete before the first reveal; k − 1 left words stand.
            QCOMPARE(wait.right, finalRight);
            QCOMPARE(int(wait.left.count(crlf)), k - 1);
            // The bar marks the line whose left word comes next.
            QCOMPARE(wait.barTop, 1755 + 270 * (k - 1));
        }

        const QStringList rightLines = endedLines(right());
        const QStringList leftLines = endedLines(left());
        QCOMPARE(rightLines.size(), 10);
        QCOMPARE(leftLines.size(), 10);
        QSet<QString> set;
        for (const QString &word : rightLines)
            set.insert(word);
        QCOMPARE(set, QSet<QString>({"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8", "B9", "B10"}));
        verifyPartners(leftLines, rightLines, "A", "B");
        // A drawn order, not the set's own.
        QVERIFY(rightLines !=
                QStringList({"B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8", "B9", "B10"}));

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
        const QStringList leftLines = endedLines(left());
        QCOMPARE(leftLines.size(), stopWait);
        verifyPartners(leftLines, endedLines(right()).mid(0, stopWait), "A", "B");
        QCOMPARE(state().Clock.Abort_Flag, 0);
        QCOMPARE(barTop(), 1755);
    }

    void aStopPendingAtTheStartEndsAfterTheFirstReveal_data()
    {
        QTest::addColumn<bool>("tickDuringDraw");
        QTest::addColumn<int>("distinctRightWords");
        QTest::newRow("draw completes before a tick") << false << 10;
        // The first tick forces the count past the guard: one number drawn, repeated on every
        // line.
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
        const QStringList leftLines = endedLines(left());
        QCOMPARE(leftLines.size(), 1);
        verifyPartners(leftLines, rightLines.mid(0, 1), "A", "B");
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
        QString expected = newLeftColumn;
        for (int j = 4; j < 10; ++j)
            expected += QStringLiteral("C") + drawn.at(j).mid(1) + crlf;
        QCOMPARE(left(), expected);
        QCOMPARE(right(), WordColumns::rightText(state().Right_Words));
    }
};

QTEST_MAIN(TestExercise)
#include "tst_exercise.moc"
