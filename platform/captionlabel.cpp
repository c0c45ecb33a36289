#include "platform/captionlabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

namespace {

// The desktop's embossed look of a disabled caption: the text in the 3D shadow grey over a
// white copy one pixel down and to the right.
const QColor embossShadow(128, 128, 128);
const QColor embossLight(255, 255, 255);

} // namespace

CaptionLabel::CaptionLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    // A child widget that fills no background of its own lets what lies behind it show.
    setAutoFillBackground(false);
}

void CaptionLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    setText(displayText(caption));
}

void CaptionLabel::setOpaqueBackground(const QColor &color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    setAutoFillBackground(true);
}

QString CaptionLabel::displayText(const QString &caption)
{
    QString text = caption;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

int CaptionLabel::linePitch(const QFont &font)
{
    // The font's own line spacing adds a leading, and rounding ascent and descent up apart
    // gives Arial 12 pt 19 pixels where the desktop has 18.
    const QFontMetricsF metrics(font);
    return qMax(1, qRound(metrics.ascent() + metrics.descent()));
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
        drawCaption(painter, QPoint());
        return;
    }
    painter.setPen(embossLight);
    drawCaption(painter, QPoint(1, 1));
    painter.setPen(embossShadow);
    drawCaption(painter, QPoint());
}

void CaptionLabel::drawCaption(QPainter &painter, const QPoint &offset) const
{
    const QRect area = contentsRect();
    const int pitch = linePitch(font());
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);

    qreal top = 0;
    for (const QString &paragraph : text().split(QLatin1Char('\n'))) {
        if (top >= area.height())
            break;
        QTextLayout layout(paragraph, font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition(QPointF(0, top));
            top += pitch;
        }
        layout.endLayout();
        layout.draw(&painter, area.topLeft() + offset);
    }
}
