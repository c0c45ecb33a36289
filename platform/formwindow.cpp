#include "platform/formwindow.h"

#include "platform/twips.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QStyle>

FormWindow *FormWindow::s_lastActive = nullptr;

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
    return Twips::fromPixels(qMax(frameGeometry().width(), width()));
}

FormWindow *FormWindow::lastActive() { return s_lastActive; }

bool FormWindow::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate) {
        if (!m_frameChecked) {
            m_frameChecked = true;
            keepTitleBarOnScreen();
        }
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

void FormWindow::keepTitleBarOnScreen()
{
    // A window manager keeps a window that does not fit with its client area on the screen,
    // its title bar above it, out of the mouse's reach.
    const QRect frame = frameGeometry();
    const QPoint to = placedOnScreen(frame);
    if (to != frame.topLeft())
        move(to);
}

QPoint FormWindow::placedOnScreen(const QRect &frame) const
{
    // Whole where it fits; where it does not, its top edge at the top of the screen, and its
    // right edge, with the close box of most frames, at the right.
    const QRect area = screen()->availableGeometry();
    const auto fit = [](int start, int length, int areaStart, int areaLength, bool keepStart) {
        if (length > areaLength)
            return keepStart ? areaStart : areaStart + areaLength - length;
        return qBound(areaStart, start, areaStart + areaLength - length);
    };
    return {fit(frame.left(), frame.width(), area.left(), area.width(), false),
            fit(frame.top(), frame.height(), area.top(), area.height(), true)};
}

void FormWindow::setVisible(bool visible)
{
    // Left to the window manager, a window may land partly off the screen, beside the window
    // shown before it.
    if (visible && !m_placed && isWindow()) {
        m_placed = true;
        move(placedOnScreen(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, sizeHint(),
                                                screen()->availableGeometry())));
    }
    QMainWindow::setVisible(visible);
}
