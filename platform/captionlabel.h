#pragma once

#include <QLabel>

// A label whose caption is program state: caption() gives back exactly what was set, CR LF
// included, while the screen shows each CR LF as a line break and wraps long lines at word
// boundaries. The background is transparent unless made opaque.
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

private:
    QString m_caption;
};
