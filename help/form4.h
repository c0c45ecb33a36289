#pragma once

#include "platform/captionlabel.h"
#include "platform/formwindow.h"

// The instructions window: a fixed help text, written anew on each activation.
class Form4 : public FormWindow
{
    Q_OBJECT

public:
    explicit Form4(QWidget *parent = nullptr);

    CaptionLabel *Label1 = nullptr; // the help text

protected:
    void Form_Activate() override;
};
