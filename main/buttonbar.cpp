#include "main/form1.h"

#include "exam/form2.h"
#include "help/form4.h"
#include "main/form1layout.h"
#include "main/highlightbar.h"
#include "main/program.h"
#include "main/setindicator.h"
#include "main/sharedstate.h"
#include "main/wordcolumns.h"
#include "platform/layout.h"
#include "platform/windowtoggle.h"
#include "results/form5.h"

#include <initializer_list>

namespace {

// The Label2 indices of the bar; 7 is the set indicator, which does nothing when clicked.
enum Button
{
    StopButton = 0,
    ExerciseButton = 1,
    TestButton = 2,
    ExamButton = 3,
    ResultsButton = 4,
    PreviousButton = 5,
    NextButton = 6,
    InstructionsButton = 8,
};

void setButtonsEnabled(const Form1 &form, std::initializer_list<int> indices, bool enabled)
{
    for (int index : indices)
        if (LabelButton *button = form.Label2[index])
            button->setEnabled(enabled);
}

void setCaption(CaptionLabel *label, const QString &caption)
{
    if (label)
        label->setCaption(caption);
}

// "Harjoitus": the exercise with the other drills and the paging locked, then the set shown
// again in its own order from the words as they stand now (a menu choice during the exercise
// may have loaded another set).
void runExercise(Form1 &form, const Shared_State &state)
{
    setButtonsEnabled(form, {ExerciseButton, TestButton, ExamButton}, false);
    setButtonsEnabled(form, {PreviousButton, NextButton}, false);
    if (form.Shape2)
        Layout::setTopTwips(form.Shape2, HighlightBar::firstTop);
    form.Timer1->setEnabled(false);

    form.Harjoitus();

    setCaption(form.Label1[0], WordColumns::leftText(state.Left_Words));
    setCaption(form.Label1[1], WordColumns::rightText(state.Right_Words));
    setButtonsEnabled(form, {PreviousButton, NextButton}, true);
    setButtonsEnabled(form, {ExerciseButton, TestButton, ExamButton}, true);
}

// "<<" (step −1) and ">>" (step +1). Every click takes Set_Count from the indicator, also one
// that stays at the first or last set. The wanted set goes into the indicator, where
// Get_Vocabulary reads it back.
void pageSet(Form1 &form, Shared_State &state, int step)
{
    LabelButton *indicator = form.Label2[Form1Layout::setIndicator];
    if (!indicator)
        return;
    const QString text = indicator->caption();
    state.Set_Count = SetIndicator::total(text);
    const int current = SetIndicator::current(text);
    // There is no set before the first, nor after the last (an indicator one past the total
    // shows that all sets are passed).
    if (step < 0 ? current <= 1 : current >= state.Set_Count)
        return;
    indicator->setCaption(SetIndicator::compactText(current + step, state.Set_Count));
    form.Get_Vocabulary();
}

} // namespace

void Form1::Label2_Click(int Index)
{
    // Only the empty name means that no vocabulary is chosen; a name of blanks counts.
    const CaptionLabel *chosenName = Label3[1];
    const bool chosen = chosenName && !chosenName->caption().isEmpty();

    switch (Index) {
    case StopButton:
        // A running drill sees these at its next poll; no drill running, the next one stops
        // after its first word.
        m_state.Clock.Abort_Flag = 1;
        m_state.Clock.Answer_Flag = 1;
        break;
    case ExerciseButton:
        if (chosen)
            runExercise(*this, m_state);
        break;
    case TestButton:
        if (chosen)
            Testi();
        break;
    case ExamButton:
        // Shown again when it is already shown: its activation draws a new exam.
        if (chosen)
            m_program.form2()->showForm();
        break;
    case ResultsButton:
        toggleWindow(m_program.form5());
        break;
    case InstructionsButton:
        toggleWindow(m_program.form4());
        break;
    case PreviousButton:
    case NextButton:
        if (chosen)
            pageSet(*this, m_state, Index == PreviousButton ? -1 : 1);
        break;
    default:
        break;
    }
}
