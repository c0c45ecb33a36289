#include "platform/formwindow.h"

#include "platform/twips.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWindow>

FormWindow *FormWindow::s_lastActive = nullptr;
QMargins FormWindow::s_lastFrame;

namespace {
// The frame watch looks this often, gives up waiting for a frame after maxWatchTicks, and ends
// once the window has stood where it should for steadyTicks.
constexpr int watchIntervalMs = 100;
constexpr int maxWatchTicks = 100;
constexpr int steadyTicks = 3;
} // namespace

FormWindow::FormWindow(int clientWidthTwips, int clientHeightTwips, QWidget *parent)
    : QMainWindow(parent), m_client(new QWidget(this))
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(Twips::toPixels(clientWidthTwips), Twips::toPixels(clientHeightTwips));
    setCentralWidget(m_client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The window itself holds the keys whenever none of its controls does, so it takes the
    // focus when it would otherwise drop to nobody. The menu bar then gives the focus back to
    // the window after a command chosen by keyboard; with nobody to give it to, it would keep
    // it, and every key after.
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
            if (!now && QApplication::activeWindow() == this)
                setFocus(Qt::OtherFocusReason);
        });
    m_frameWatch.setInterval(watchIntervalMs);
    connect(&m_frameWatch, &QTimer::timeout, this, &FormWindow::frameWatchTick);
}

FormWindow::~FormWindow()
{
    disconnect(m_focusWatch);
    if (s_lastActive == this)
        s_lastActive = nullptr;
}

void FormWindow::setBackgroundColor(const QColor &color)
{
    QPalette pal = m_client->palette();
    pal.setColor(QPalette::Window, color);
    m_client->setPalette(pal);
    m_client->setAutoFillBackground(true);
}

void FormWindow::showForm()
{
    // Shown again as it was, a window minimised from its frame would stay out of sight.
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

bool FormWindow::isOnScreen() const { return isVisible() && !isMinimized(); }

int FormWindow::outerWidthTwips() const
{
    const QMargins frame = expectedFrame();
    return Twips::fromPixels(width() + frame.left() + frame.right());
}

FormWindow *FormWindow::lastActive() { return s_lastActive; }

bool FormWindow::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    // Until the window has settled, the window manager's moves count as its own and the window
    // is held where this showing put it; afterwards a move is the user's, and the window stays
    // where the user put it unless its title bar is off the screen when it becomes active.
    if (event->type() == QEvent::WindowActivate || (event->type() == QEvent::Move && !m_settled)) {
        if (m_settled)
            m_wanted = geometry().topLeft();
        keepTitleBarOnScreen();
    }
    if (event->type() == QEvent::WindowActivate) {
        if (s_lastActive != this) {
            s_lastActive = this;
            Form_Activate();
        }
        // The control that held the focus gets it back, or else the first that can take it;
        // with none, the window.
        const QWidget *holder = focusWidget();
        if ((!holder || !holder->isVisible()) && !focusNextPrevChild(true))
            setFocus(Qt::ActiveWindowFocusReason);
    }
    return handled;
}

QMargins FormWindow::ownFrame() const
{
    // Asked of the window system each time: the widget's frame geometry may still lack a frame
    // that the window manager has put around the window meanwhile.
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

QMargins FormWindow::expectedFrame() const
{
    // Until the window manager has framed this window, the frame of a window of the program that
    // it has framed tells what this one will get.
    const QMargins own = ownFrame();
    return own.isNull() ? s_lastFrame : own;
}

QRect FormWindow::placedOnScreen(const QRect &client, const QMargins &margins) const
{
    // A window manager keeps a window that does not fit with its client area on the screen,
    // its title bar above it, out of the mouse's reach. A window shown for the first time
    // stands whole on the screen; else it stays where it is as long as its title bar and the
    // close box at its right end are on the screen. Where it must move, it stands whole where it
    // fits, and where it does not, with its top edge at the top of the screen and its right
    // edge, with the close box of most frames, at the right.
    const QRect area = screen()->availableGeometry();
    QRect frame = client.marginsAdded(margins);
    const QRect titleBar(frame.topLeft(), QSize(frame.width(), qMax(1, margins.top())));
    if (m_wholeOnScreen
            ? area.contains(frame)
            : area.contains(titleBar.topRight()) && area.contains(titleBar.bottomRight()))
        return client;
    const auto fit = [](int start, int length, int areaStart, int areaLength, bool keepStart) {
        if (length > areaLength)
            return keepStart ? areaStart : areaStart + areaLength - length;
        return qBound(areaStart, start, areaStart + areaLength - length);
    };
    frame.moveTopLeft({fit(frame.left(), frame.width(), area.left(), area.width(), false),
                       fit(frame.top(), frame.height(), area.top(), area.height(), true)});
    return frame.marginsRemoved(margins);
}

bool FormWindow::keepTitleBarOnScreen()
{
    // The frame as the window manager reports it, around the place this showing wants: where
    // the window manager has put the window meanwhile does not count, it may be a passing one.
    const QMargins frame = ownFrame();
    if (frame.isNull())
        return false;
    s_lastFrame = frame;
    const QRect wanted = placedOnScreen(QRect(m_wanted, size()), frame);
    m_wanted = wanted.topLeft();
    if (geometry().topLeft() == m_wanted)
        return true;
    setGeometry(wanted);
    return false;
}

void FormWindow::frameWatchTick()
{
    // Settled, or given up on a window manager that never frames the window or never lets it
    // stand where it should.
    m_steadyTicks = keepTitleBarOnScreen() ? m_steadyTicks + 1 : 0;
    if (m_steadyTicks >= steadyTicks || ++m_watchTicks >= maxWatchTicks)
        settle();
}

void FormWindow::settle()
{
    m_frameWatch.stop();
    m_settled = true;
    m_wholeOnScreen = false;
}

void FormWindow::setVisible(bool visible)
{
    // Left to the window manager, a window may land partly off the screen, beside the window
    // shown before it. Each showing places it with the frame it is expected to get, and holds
    // it there until the window manager has framed it.
    if (visible && isWindow() && !isVisible()) {
        m_wholeOnScreen = !m_shownBefore;
        m_shownBefore = true;
        const QRect client = m_wholeOnScreen
                                 ? QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, sizeHint(),
                                                       screen()->availableGeometry())
                                 : QRect(geometry().topLeft(), sizeHint());
        const QRect placed = placedOnScreen(client, expectedFrame());
        m_wanted = placed.topLeft();
        setGeometry(placed);
        m_settled = false;
        m_watchTicks = 0;
        m_steadyTicks = 0;
        m_frameWatch.start();
    } else if (!visible) {
        settle();
    }
    QMainWindow::setVisible(visible);
}
