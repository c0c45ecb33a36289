#pragma once

#include "platform/captionlabel.h"
#include "platform/controlarray.h"
#include "platform/formwindow.h"
#include "platform/listbox.h"
#include "platform/shapewidget.h"

struct Shared_State;
class Program;

// The results window: the fifteen vocabularies on the left, and for the chosen one the latest
// test of each set and every recorded exam. It shows Result_Lines as they stand in memory and
// reads no file; each activation rebuilds it for the current vocabulary.
class Form5 : public FormWindow
{
    Q_OBJECT

public:
    Form5(Program &program, Shared_State &state, QWidget *parent = nullptr);

    // Controls, named as the layout names them.
    ControlArray<CaptionLabel> Label3; // headings: 0 "Sanasto", 1 "Testi", 2 "Koe"
    ControlArray<ShapeWidget> Shape1;  // the lists' shadows
    ListBox *List1 = nullptr;          // test table
    ListBox *List2 = nullptr;          // vocabulary list
    ListBox *List3 = nullptr;          // exam table

    void List2_Click();
    // Rebuilds the two tables for the vocabulary selected in List2.
    void Populate_Scores();

protected:
    void Form_Activate() override;

private:
    void buildControls();

    Program &m_program;
    Shared_State &m_state;
};
