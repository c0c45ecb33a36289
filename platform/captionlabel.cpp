#include "platform/captionlabel.h"

CaptionLabel::CaptionLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
}

void CaptionLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    setText(displayText(caption));
}

void CaptionLabel::setOpaqueBackground(const QColor &color)
{
    setAttribute(Qt::WA_TranslucentBackground, false);
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
