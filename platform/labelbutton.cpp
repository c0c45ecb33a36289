#include "platform/labelbutton.h"

#include <QMouseEvent>

LabelButton::LabelButton(QWidget *parent) : CaptionLabel(parent)
{
    setAccessibleDescription(QStringLiteral("button"));
}

void LabelButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    CaptionLabel::mousePressEvent(event);
}

void LabelButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        if (isEnabled() && rect().contains(event->position().toPoint()))
            emit clicked();
        return;
    }
    CaptionLabel::mouseReleaseEvent(event);
}

void LabelButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The press that came with the double-click does not make a click on its release.
    if (event->button() == Qt::LeftButton) {
        m_pressed = false;
        event->accept();
        return;
    }
    CaptionLabel::mouseDoubleClickEvent(event);
}
