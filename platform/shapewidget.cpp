#include "platform/shapewidget.h"

#include <QPainter>

ShapeWidget::ShapeWidget(Kind kind, QWidget *parent) : QWidget(parent), m_kind(kind)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::setFillColor(const QColor &color)
{
    m_fill = color;
    update();
}

void ShapeWidget::setOutlineColor(const QColor &color)
{
    m_outline = color;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing,
                          m_kind == Kind::Circle || m_kind == Kind::RoundedRectangle);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (m_kind) {
    case Kind::Circle: {
        const qreal side = qMin(box.width(), box.height());
        QRectF circle(0, 0, side, side);
        circle.moveCenter(box.center());
        painter.setPen(m_outline);
        painter.setBrush(m_fill.isValid() ? QBrush(m_fill) : QBrush(Qt::NoBrush));
        painter.drawEllipse(circle);
        break;
    }
    case Kind::RoundedRectangle: {
        const qreal radius = qMin(box.width(), box.height()) / 4;
        painter.setPen(m_outline);
        painter.setBrush(m_fill.isValid() ? QBrush(m_fill) : QBrush(Qt::NoBrush));
        painter.drawRoundedRect(box, radius, radius);
        break;
    }
    case Kind::Rectangle:
        painter.setPen(m_outline);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        break;
    case Kind::FilledRectangle:
        painter.fillRect(rect(), m_fill);
        break;
    case Kind::HorizontalLine:
        painter.setPen(m_outline);
        painter.drawLine(QPointF(0, 0.5), QPointF(width(), 0.5));
        break;
    }
}
