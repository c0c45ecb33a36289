#pragma once

#include "platform/captionlabel.h"

// A label used as a button: a click (press and release over it) raises clicked(). A disabled
// label receives no mouse events and so ignores clicks.
class LabelButton : public CaptionLabel
{
    Q_OBJECT

public:
    explicit LabelButton(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
