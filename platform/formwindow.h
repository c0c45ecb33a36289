#pragma once

#include <QMainWindow>
#include <QTimer>

// A fixed-size window whose client area is given in twips. Form_Activate runs each time the
// window becomes the program's active window: coming back from another program is no
// activation, coming back from another window of the program is. While none of its controls
// holds the keyboard focus, the window itself holds it (the menu bar is no control). Shown for
// the first time, it stands whole in the middle of its screen, or, on a screen too small for it,
// with its title bar and close box on the screen; shown again or made active, it stands where
// it was left, as long as its title bar and close box are on the screen.
class FormWindow : public QMainWindow
{
    Q_OBJECT

public:
    FormWindow(int clientWidthTwips, int clientHeightTwips, QWidget *parent = nullptr);
    ~FormWindow() override;

    // Where the controls live; the menu bar, if any, sits above it.
    QWidget *client() const { return m_client; }

    void setBackgroundColor(const QColor &color);

    // Shows the window, restored when it was minimised, and makes it the active one.
    void showForm();

    // Whether the user can see it: shown, and not minimised.
    bool isOnScreen() const;

    // The outer width of the window, frame included, in twips.
    int outerWidthTwips() const;

    // The window of the program that was active last, whatever is active now.
    static FormWindow *lastActive();

protected:
    virtual void Form_Activate() {}
    bool event(QEvent *event) override;
    void setVisible(bool visible) override;

private:
    QMargins ownFrame() const;
    QMargins expectedFrame() const;
    // Where the client area goes for its frame to stand on the screen.
    QRect placedOnScreen(const QRect &client, const QMargins &margins) const;
    bool keepTitleBarOnScreen();
    void frameWatchTick();
    void settle();

    QWidget *m_client;
    QMetaObject::Connection m_focusWatch;
    bool m_shownBefore = false;
    // Where this showing puts the window; the window manager may frame it late, or first put
    // it elsewhere, so it is held there until its frame is known and it stands still.
    QPoint m_wanted;
    bool m_wholeOnScreen = false;
    bool m_settled = true;
    QTimer m_frameWatch;
    int m_watchTicks = 0;
    int m_steadyTicks = 0;
    static QMargins s_lastFrame;
    static FormWindow *s_lastActive;
};
