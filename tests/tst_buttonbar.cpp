#include "exam/form2.h"
#include "help/form4.h"
#include "main/setindicator.h"
#include "platform/layout.h"
#include "programfixture.h"
#include "results/form5.h"

#include <memory>

using Change = QPair<int, bool>; // a Label2 index and its new enabled state

namespace {

// Writes down every change of a bar button's enabled state, in order.
class EnabledRecorder : public QObject
{
public:
    explicit EnabledRecorder(const Form1 &form)
    {
        for (int index : form.Label2.indices()) {
            m_index.insert(form.Label2[index], index);
            form.Label2[index]->installEventFilter(this);
        }
    }
    QList<Change> changes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange)
            changes << Change(m_index.value(watched), static_cast<QWidget *>(watched)->isEnabled());
        return false;
    }

private:
    QHash<QObject *, int> m_index;
};

// A word column of the browser: nine lines ended by CR LF, then `beforeLast` and the tenth.
QString columnText(const QStringList &words, const QString &beforeLast)
{
    return words.mid(0, 9).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") + beforeLast +
           words.at(9);
}

} // namespace

class TestButtonBar : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_fixture;
    Form1 *m_form = nullptr;

    Shared_State &state() { return m_fixture->state(); }
    QString indicator() const { return m_form->Label2[7]->caption(); }
    void click(int index) { QTest::mouseClick(m_form->Label2[index], Qt::LeftButton); }

private slots:
    void init()
    {
        m_fixture = std::make_unique<ProgramFixture>();
        // Vocabulary 1 has ten whole sets, 2 none, 3 nine and five words over.
        m_fixture->writeDatabase(ProgramFixture::section(1, 100) +
                                 ProgramFixture::section(2, 8, "C%1", "D%1") +
                                 ProgramFixture::section(3, 95, "E%1", "F%1") + QStringList{"#"});
        m_fixture->program().random().fixSeed(11);
        m_form = m_fixture->form1();
        QVERIFY(ProgramFixture::activate(m_form));
        // A drill started here must not take real seconds.
        m_form->Timer1->setInterval(1);
    }
    void cleanup() { m_fixture.reset(); }

    void pagingGoesThroughTheIndicator_data()
    {
        QTest::addColumn<int>("vocabulary");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("setCount");
        QTest::addColumn<QString>("firstLeftWord"); // empty: the set is not reloaded

        QTest::newRow("<< at the first set") << 1 << " 1/ 10" << 5 << " 1/ 10" << 10 << "";
        QTest::newRow(">> at the last set") << 1 << " 10/ 10" << 6 << " 10/ 10" << 10 << "";
        QTest::newRow(">> to the next set") << 1 << " 3/ 10" << 6 << " 4/ 10" << 10 << "A31";
        QTest::newRow("<< to the set before") << 1 << " 3/ 10" << 5 << " 2/ 10" << 10 << "A11";
        QTest::newRow("compact form reads alike") << 1 << "3/10" << 6 << " 4/ 10" << 10 << "A31";
        QTest::newRow("all passed: << to the last set")
            << 1 << " 11/ 10" << 5 << " 10/ 10" << 10 << "A91";
        QTest::newRow("all passed: >> stays") << 1 << " 11/ 10" << 6 << " 11/ 10" << 10 << "";
        QTest::newRow("more digits than the total: <<")
            << 3 << " 10/ 9" << 5 << " 9/ 9" << 9 << "E81";
        QTest::newRow("more digits than the total: >> stays")
            << 3 << " 10/ 9" << 6 << " 10/ 9" << 9 << "";
        QTest::newRow("no whole set: << stays") << 2 << " 1/ 0" << 5 << " 1/ 0" << 0 << "";
        QTest::newRow("no whole set: >> stays") << 2 << " 1/ 0" << 6 << " 1/ 0" << 0 << "";
        QTest::newRow("the bound is the indicator's total")
            << 1 << " 5/ 5" << 6 << " 5/ 5" << 5 << "";
    }
    void pagingGoesThroughTheIndicator()
    {
        QFETCH(int, vocabulary);
        QFETCH(QString, before);
        QFETCH(int, button);
        QFETCH(QString, after);
        QFETCH(int, setCount);
        QFETCH(QString, firstLeftWord);

        m_form->Menu1_Click(vocabulary);
        m_form->Label2[7]->setCaption(before);
        m_form->Label1[0]->setCaption(QStringLiteral("as before"));
        state().Set_Count = 99;

        click(button);

        QCOMPARE(indicator(), after);
        QCOMPARE(state().Set_Count, setCount);
        if (firstLeftWord.isEmpty()) {
            QCOMPARE(m_form->Label1[0]->caption(), QStringLiteral("as before"));
        } else {
            QVERIFY(m_form->Label1[0]->caption().startsWith(firstLeftWord + "\r\n"));
            QCOMPARE(state().Set_Number, SetIndicator::current(after));
        }
    }

    void withoutAVocabularyFiveButtonsDoNothing()
    {
        QCOMPARE(m_form->Label3[1]->caption(), QString());
        m_form->Timer1->setInterval(60000);
        m_form->Timer1->setEnabled(true);
        Layout::setTopTwips(m_form->Shape2, 2025);
        m_form->Label1[0]->setCaption(QStringLiteral("as before"));
        state().Set_Count = 7;
        const qsizetype windows = QApplication::topLevelWidgets().size();
        EnabledRecorder recorder(*m_form);

        for (int index : {1, 2, 3, 5, 6})
            click(index);

        QCOMPARE(indicator(), QStringLiteral("1/0"));
        QCOMPARE(state().Set_Count, 7);
        QVERIFY(m_form->Timer1->isEnabled());
        QCOMPARE(Layout::topTwips(m_form->Shape2), 2025);
        QCOMPARE(m_form->Label1[0]->caption(), QStringLiteral("as before"));
        QVERIFY(recorder.changes.isEmpty());
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
        QCOMPARE(state().Clock.Abort_Flag, 0);
    }

    void aNameOfBlanksCountsAsChosen()
    {
        m_form->Label3[1]->setCaption(QStringLiteral(" "));
        m_form->Label2[7]->setCaption(QStringLiteral("2/10"));
        click(5);
        // The page went through: the set browser read "1/10" back and wrote its own form.
        QCOMPARE(state().Set_Number, 1);
        QVERIFY(indicator() != QStringLiteral("2/10"));
    }

    void keskeytaSetsBothFlagsAtAnyTime_data()
    {
        QTest::addColumn<bool>("vocabulary");
        QTest::newRow("no vocabulary") << false;
        QTest::newRow("a vocabulary chosen") << true;
    }
    void keskeytaSetsBothFlagsAtAnyTime()
    {
        QFETCH(bool, vocabulary);
        if (vocabulary)
            m_form->Menu1_Click(1);
        click(0);
        QCOMPARE(state().Clock.Abort_Flag, 1);
        QCOMPARE(state().Clock.Answer_Flag, 1);
        // They stay set until a drill clears them: a tick or a second click leaves them.
        m_form->Timer1_Timer();
        click(0);
        QCOMPARE(state().Clock.Abort_Flag, 1);
        QCOMPARE(state().Clock.Answer_Flag, 1);
    }

    void aDisabledButtonIgnoresClicks()
    {
        m_form->Menu1_Click(1);
        QCOMPARE(indicator(), QStringLiteral(" 1/ 10"));
        m_form->Label2[0]->setEnabled(false);
        m_form->Label2[6]->setEnabled(false);
        click(0);
        click(6);
        QCOMPARE(state().Clock.Abort_Flag, 0);
        QCOMPARE(state().Clock.Answer_Flag, 0);
        QCOMPARE(indicator(), QStringLiteral(" 1/ 10"));

        m_form->Label2[6]->setEnabled(true);
        click(6);
        QCOMPARE(indicator(), QStringLiteral(" 2/ 10"));
    }

    void aDoubleClickActsOnce()
    {
        m_form->Menu1_Click(1);
        // Through the window, which makes the second press a double-click as the desktop does.
        const QWidget *next = m_form->Label2[6];
        QTest::mouseDClick(m_form->windowHandle(), Qt::LeftButton, {},
                           next->mapTo(m_form, next->rect().center()));
        QCOMPARE(indicator(), QStringLiteral(" 2/ 10"));
    }

    void aLockedButtonShowsItsCaptionEmbossed()
    {
        // On its grey frame: grey letters over a white copy one pixel down and to the right.
        LabelButton *button = m_form->Label2[2];
        button->setEnabled(false);
        QImage image(button->size(), QImage::Format_RGB32);
        image.fill(QColor(192, 192, 192));
        button->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const QRect grey =
            ProgramFixture::pixelsWhere(image, [](int level) { return level < 140; });
        const QRect white =
            ProgramFixture::pixelsWhere(image, [](int level) { return level > 250; });
        QVERIFY(grey.isValid());
        QCOMPARE(white.bottomRight(), grey.bottomRight() + QPoint(1, 1));
    }

    void theIndicatorAndUnknownIndicesDoNothing()
    {
        m_form->Menu1_Click(1);
        const QString columns = m_form->Label1[0]->caption();
        const qsizetype windows = QApplication::topLevelWidgets().size();
        click(7);
        for (int index : {-1, 9, 100})
            m_form->Label2_Click(index);
        QCOMPARE(indicator(), QStringLiteral(" 1/ 10"));
        QCOMPARE(m_form->Label1[0]->caption(), columns);
        QCOMPARE(state().Clock.Abort_Flag, 0);
        QCOMPARE(state().Clock.Answer_Flag, 0);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    }

    void harjoitusLocksTheBarThenShowsTheSetInItsOrder()
    {
        m_form->Menu1_Click(1);
        // The rebuild takes the words as they stand, not from the database.
        state().Left_Words.set(3, QStringLiteral("changed"));
        state().Right_Words.set(10, QStringLiteral("last"));
        m_form->Label1[0]->setCaption(QStringLiteral("stale"));
        Layout::setTopTwips(m_form->Shape2, 3000);
        m_form->Timer1->setEnabled(true);
        EnabledRecorder recorder(*m_form);

        click(1);

        const QList<Change> expected = {{1, false}, {2, false}, {3, false}, {5, false}, {6, false},
                                        {5, true},  {6, true},  {1, true},  {2, true},  {3, true}};
        QCOMPARE(recorder.changes, expected);
        QStringList left = ProgramFixture::numbered(QStringLiteral("A%1"), 1);
        QStringList right = ProgramFixture::numbered(QStringLiteral("B%1"), 1);
        left[2] = QStringLiteral("changed");
        right[9] = QStringLiteral("last");
        QCOMPARE(m_form->Label1[0]->caption(), columnText(left, QStringLiteral(" ")));
        QCOMPARE(m_form->Label1[1]->caption(), columnText(right, QString()));
        QCOMPARE(Layout::topTwips(m_form->Shape2), 1755);
        QVERIFY(!m_form->Timer1->isEnabled());
        QCOMPARE(indicator(), QStringLiteral(" 1/ 10"));
        QCOMPARE(m_form->Label3[1]->caption(), QStringLiteral("Tietokone"));
    }

    void harjoitusAfterTheSetWasEmptiedWritesEmptyLines()
    {
        m_form->Menu1_Click(1);
        // As the exam window's activation leaves them.
        state().Left_Words.dimension(100);
        state().Right_Words.dimension(100);
        click(1);
        QCOMPARE(m_form->Label1[0]->caption(), QString(QStringLiteral("\r\n").repeated(9) + " "));
        QCOMPARE(m_form->Label1[1]->caption(), QStringLiteral("\r\n").repeated(9));
    }

    void koeShowsTheExamWindowAndBringsItBack()
    {
        m_form->Menu1_Click(1);
        Form2 *exam = m_fixture->program().form2();
        for (int round = 1; round <= 2; ++round) {
            click(3);
            QVERIFY(exam->isVisible());
            QVERIFY(QTest::qWaitForWindowActive(exam));
            // The second round clicks with the exam window still shown, behind the main one.
            QVERIFY(ProgramFixture::activate(m_form));
        }
    }

    void windowButtonsToggle_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("vocabulary");
        QTest::newRow("Tulokset") << 4 << false;
        QTest::newRow("Tulokset with a vocabulary") << 4 << true;
        QTest::newRow("Ohjeet") << 8 << false;
        QTest::newRow("Ohjeet with a vocabulary") << 8 << true;
    }
    void windowButtonsToggle()
    {
        QFETCH(int, button);
        QFETCH(bool, vocabulary);
        if (vocabulary)
            m_form->Menu1_Click(1);
        Program &program = m_fixture->program();
        FormWindow *window =
            button == 4 ? static_cast<FormWindow *>(program.form5()) : program.form4();
        QVERIFY(window->isHidden());

        click(button);
        QVERIFY(window->isVisible());
        click(button);
        QVERIFY(!window->isVisible());

        // Shown but behind the main window: the click hides it.
        click(button);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(ProgramFixture::activate(m_form));
        QVERIFY(window->isVisible());
        click(button);
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(TestButtonBar)
#include "tst_buttonbar.moc"
