#pragma once

#include <QColor>
#include <QWidget>

// The drawn shapes of the layouts. Shapes take no mouse input: clicks reach what lies above
// or below them as the stacking order says.
class ShapeWidget : public QWidget
{
    Q_OBJECT

public:
    enum class Kind
    {
        Circle,           // largest circle centred in the box
        RoundedRectangle, // filled, with an outline
        Rectangle,        // outline only
        FilledRectangle,  // fill only, no outline
        HorizontalLine,   // one pixel line along the top of the box
    };

    explicit ShapeWidget(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    void setFillColor(const QColor &color);
    QColor fillColor() const { return m_fill; }
    void setOutlineColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    QColor m_fill;
    QColor m_outline{Qt::black};
};
