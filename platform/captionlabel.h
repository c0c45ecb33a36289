#pragma once

#include <QLabel>

// A label whose caption is program state: caption() gives back exactly what was set, CR LF
// included, while the screen shows each CR LF as a line break and wraps long lines at word
// boundaries. The lines run down from the top at the desktop's line pitch for the font, so that
// the designs' line steps meet them. A disabled label shows its caption greyed and embossed.
// The background is transparent unless made opaque.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    void setOpaqueBackground(const QColor &color);

    // The text as a person sees it: line ends as "\n".
    static QString displayText(const QString &caption);

    // The distance between two lines of a caption in this font, in pixels: the font's cell
    // (ascent and descent, no extra leading), as the desktop rounds it. Arial 12 pt gives 18,
    // 270 twips.
    static int linePitch(const QFont &font);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawCaption(QPainter &painter, const QPoint &offset) const;

    QString m_caption;
};
