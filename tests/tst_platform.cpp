#include "platform/captionlabel.h"
#include "platform/formwindow.h"
#include "platform/keycodes.h"
#include "platform/listbox.h"
#include "platform/textbox.h"
#include "platform/twips.h"
#include "platform/windowtoggle.h"

#include <QScreen>
#include <QTest>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void twipsAreFifteenAPixel()
    {
        QCOMPARE(Twips::toPixels(11655), 777);
        QCOMPARE(Twips::toPixels(1755), 117);
        QCOMPARE(Twips::toPixels(7), 0);
        QCOMPARE(Twips::toPixels(8), 1);
        QCOMPARE(Twips::fromPixels(18), 270);
        QCOMPARE(colorFromBgr(0x00C00000), QColor(0, 0, 0xC0));
        QCOMPARE(colorFromBgr(0x0080FFFF), QColor(0xFF, 0xFF, 0x80));
    }

    void captionKeepsLineEndsWhileShowingBreaks()
    {
        CaptionLabel label;
        label.setCaption(QStringLiteral("A1\r\nA2\r\n A3"));
        QCOMPARE(label.caption(), QStringLiteral("A1\r\nA2\r\n A3"));
        QCOMPARE(label.text(), QStringLiteral("A1\nA2\n A3"));
        QVERIFY(label.wordWrap());
        label.setCaption(QStringLiteral("<b>x</b>"));
        QCOMPARE(label.textFormat(), Qt::PlainText); // names are never read as markup
    }

    void listRaisesItsClickWhenTheProgramSelects()
    {
        ListBox list;
        for (const char *item : {"a\tb", "c", "d"})
            list.addItem(QString::fromLatin1(item));
        QList<int> clicks;
        list.setClickHandler([&] { clicks << list.listIndex(); });

        list.setListIndex(1);
        QCOMPARE(clicks, QList<int>{1}); // at once, with the new index in place
        QCOMPARE(list.text(), QStringLiteral("c"));

        list.setListIndex(7); // no such line: nothing changes
        QCOMPARE(clicks.size(), 1);

        list.clear();
        QCOMPARE(clicks.size(), 1); // clearing raises nothing
        QCOMPARE(list.listIndex(), -1);
        QCOMPARE(list.text(), QString());
        QVERIFY(list.tabStopPixels() > 0);
    }

    void listRaisesItsClickWhenTheUserSelects()
    {
        ListBox list;
        list.addItem(QStringLiteral("a"));
        list.addItem(QStringLiteral("b"));
        list.resize(200, 100);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        int clicks = 0;
        list.setClickHandler([&] { ++clicks; });
        const QRect second = list.visualItemRect(list.item(1));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(clicks, 1);
        QCOMPARE(list.listIndex(), 1);
    }

    void keyDownRunsBeforeTheCharacterLands()
    {
        TextBox box;
        QStringList seen;
        box.setKeyDownHandler([&](int &keyCode, int shift) {
            seen << box.text() + QLatin1Char('|') + QString::number(keyCode) + QLatin1Char('|') +
                        QString::number(shift);
            if (keyCode == 'C')
                keyCode = 0; // swallowed: the box never sees it
        });
        QTest::keyClick(&box, Qt::Key_A);
        QTest::keyClick(&box, Qt::Key_B, Qt::ShiftModifier);
        QTest::keyClick(&box, Qt::Key_Return);
        QTest::keyClick(&box, Qt::Key_C);
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(seen, (QStringList{"|65|0", "a|16|1", "a|66|1", "ab|13|0", "ab|67|0", "ab|8|0"}));
        QCOMPARE(box.text(), QStringLiteral("a"));
    }

    void windowStandsWithItsTitleBarOnTheScreen_data()
    {
        QTest::addColumn<QSize>("clientTwips");
        QTest::newRow("fits: in the middle") << QSize(6000, 3000);
        QTest::newRow("too big: top edge at the top, right edge (close box) at the right")
            << QSize(13920, 12600);
    }

    void windowStandsWithItsTitleBarOnTheScreen()
    {
        QFETCH(QSize, clientTwips);
        FormWindow window(clientTwips.width(), clientTwips.height());
        window.move(5000, 5000); // where a window manager might have put it
        window.showForm();
        const QPoint placed = window.pos();
        window.move(placed - QPoint(0, 300)); // the window manager's, before the window settled
        QCOMPARE(window.pos(), placed);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QRect screen = window.screen()->availableGeometry();
        const QRect frame = window.frameGeometry();
        if (frame.width() > screen.width()) {
            QCOMPARE(frame.top(), screen.top());
            QVERIFY(qAbs(frame.right() - screen.right()) <= 2); // offscreen frames drift by 2
        } else {
            QVERIFY(screen.contains(frame));
            QVERIFY((window.geometry().center() - screen.center()).manhattanLength() <= 4);
        }
        // Moved by the user with its title bar and close box on the screen, it is shown again
        // where it was left; left with its title bar above the screen, it comes back to the top.
        const QPoint moved = window.pos() + QPoint(frame.width() > screen.width() ? 0 : -20, 10);
        const auto showAt = [&window](QPoint at) {
            window.hide();
            window.move(at);
            window.show();
        };
        showAt(moved);
        QCOMPARE(window.pos(), moved);
        showAt({moved.x(), screen.top() - 200});
        QCOMPARE(window.pos().x(), moved.x());
        QCOMPARE(window.frameGeometry().top(), screen.top());
    }

    // A window minimised from its frame is out of sight: its button brings it back, restored
    // and active, instead of hiding it.
    void toggleRestoresAMinimisedWindow()
    {
        FormWindow window(3000, 2000);
        toggleWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.setWindowState(Qt::WindowMinimized);
        if (!window.isMinimized())
            QSKIP("this platform keeps no minimised state");
        FormWindow other(3000, 2000);
        other.showForm();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        toggleWindow(&window);
        QVERIFY(window.isVisible() && !window.isMinimized());
        QVERIFY(QTest::qWaitForWindowActive(&window));
        toggleWindow(&window);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
