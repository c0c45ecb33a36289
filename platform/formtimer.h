#pragma once

#include <QTimer>

// A timer that is switched on and off like a control: enabling an enabled timer keeps its
// phase; enabling a disabled one starts a full interval.
class FormTimer : public QTimer
{
    Q_OBJECT

public:
    using QTimer::QTimer;

    bool isEnabled() const { return isActive(); }
    void setEnabled(bool enabled)
    {
        if (!enabled)
            stop();
        else if (!isActive())
            start();
    }
};
