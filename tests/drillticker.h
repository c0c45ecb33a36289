#pragma once

#include "main/form1.h"

#include <QTimer>

#include <functional>

// Drives the drill clock of a test tick by tick: the window's own Timer1 never fires (its
// interval is an hour); while a drill has it switched on, every pass of the event loop brings
// one tick instead. A drill of many seconds so runs in milliseconds, with the same ticks in the
// same order as the real clock would give.
class DrillTicker
{
public:
    // drawing tells when the drill is drawing its word order: no ticks reach the draw unless
    // tickDuringDraw is set, so that a draw always completes.
    DrillTicker(Form1 &form, std::function<bool()> drawing)
        : m_form(form), m_drawing(std::move(drawing))
    {
        m_form.Timer1->setInterval(3600 * 1000);
        m_pass.setInterval(0);
        QObject::connect(&m_pass, &QTimer::timeout, &m_form, [this] { pass(); });
        m_pass.start();
    }

    std::function<void()> onTick; // runs after each tick
    bool tickDuringDraw = false;

private:
    void pass()
    {
        if (!m_form.Timer1->isEnabled() || (!tickDuringDraw && m_drawing()))
            return;
        m_form.Timer1_Timer();
        if (onTick)
            onTick();
    }

    Form1 &m_form;
    std::function<bool()> m_drawing;
    QTimer m_pass;
};
