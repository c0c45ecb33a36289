#pragma once

#include "platform/captionlabel.h"

// A label used as a button: a click (press and release over it) raises clicked(). A disabled
// label receives no mouse events and so ignores clicks. A double-click acts once: its first
// click is a click, its second a double-click, which the button does not handle.
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
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
