#pragma once

#include "platform/captionlabel.h"
#include "platform/controlarray.h"
#include "platform/formwindow.h"
#include "platform/labelbutton.h"
#include "platform/listbox.h"
#include "platform/shapewidget.h"
#include "platform/textbox.h"

struct Shared_State;
class Program;

// The exam window: 100 words drawn from the current vocabulary, their prompts in the left list
// and, beside each, a mask of the expected answer, later the answer given. Every activation
// reads the vocabulary's section from the database file and draws a new exam into Exam_Table;
// Enter and the arrow keys move through the rows; "TARKISTA" scores the exam once, records it
// in the vocabulary's exam line of Result_Lines and rewrites the results file; "TAKAISIN"
// returns to the main window.
class Form2 : public FormWindow
{
    Q_OBJECT

public:
    Form2(Program &program, Shared_State &state, QWidget *parent = nullptr);

    // Controls, named as the layout names them.
    QLabel *Image1 = nullptr;          // empty picture
    QLabel *Image2 = nullptr;          // the banner
    CaptionLabel *Label1 = nullptr;    // kept empty
    ControlArray<CaptionLabel> Label2; // the score, shown twice
    ControlArray<CaptionLabel> Label3; // 0 the logo
    CaptionLabel *Label4 = nullptr;    // the chosen vocabulary's name
    CaptionLabel *Label5 = nullptr;    // the verdict
    ControlArray<LabelButton> Label6;  // 0 "TAKAISIN", 1 "TARKISTA"
    ControlArray<ShapeWidget> Shape3;  // frames behind the buttons
    ControlArray<ListBox> List1;       // 0 prompts, 1 masks, answers and scored rows
    ControlArray<TextBox> Text1;       // 0 the prompt box, 1 the answer box

    // Answer entry.
    void List1_Click(int Index);
    void Text1_KeyDown(int Index, int &KeyCode, int Shift);

    // The two buttons.
    void Label6_Click(int Index);

    // What the window tells the student when it cannot give or record an exam.
    static const QString noSectionText;
    static const QString tooFewWordsText;
    static const QString recordFullText;
    static const QString notSavedText;

protected:
    void Form_Activate() override;

private:
    void buildControls();
    void checkExam();
    void goBack();
    void recordScore(int score);
    // The row of the left list's selected line; 0 when none is selected.
    int currentRow() const;

    Program &m_program;
    Shared_State &m_state;
    // False until the activation has drawn the rows: only a drawn exam can be scored.
    bool m_examDrawn = false;
};
