#include "platform/formwindow.h"

#include "platform/twips.h"

#include <QEvent>
#include <QLayout>

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
}

FormWindow::~FormWindow()
{
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
    show();
    raise();
    activateWindow();
}

int FormWindow::outerWidthTwips() const
{
    return Twips::fromPixels(qMax(frameGeometry().width(), width()));
}

FormWindow *FormWindow::lastActive() { return s_lastActive; }

bool FormWindow::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate && s_lastActive != this) {
        s_lastActive = this;
        Form_Activate();
    }
    return handled;
}
