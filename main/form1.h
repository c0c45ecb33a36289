#pragma once

#include "platform/captionlabel.h"
#include "platform/controlarray.h"
#include "platform/formtimer.h"
#include "platform/formwindow.h"
#include "platform/labelbutton.h"
#include "platform/shapewidget.h"
#include "platform/textbox.h"

#include <QAction>
#include <QMenu>

#include <functional>

struct Shared_State;
class Program;

// The main window: the current ten-word set of the chosen vocabulary in two word columns, the
// vocabulary menu, the button bar and the drills. Its handlers are spread over files by
// concern: this window's own life in form1.cpp, the menu and set browser in setbrowser.cpp,
// the button bar in buttonbar.cpp, the drill clock in drillclock.cpp, the exercise in
// exercise.cpp, the timed test in timedtest.cpp and the highlight bar's keys in highlightbar.cpp.
class Form1 : public FormWindow
{
    Q_OBJECT

public:
    // Creating the window runs its Form_Load, which makes programFolder the current directory.
    Form1(Program &program, Shared_State &state, const QString &programFolder,
          QWidget *parent = nullptr);

    // Controls, named as the layout names them.
    QLabel *Image2 = nullptr;
    ControlArray<CaptionLabel> Label1; // word columns: 0 left, 1 right
    ControlArray<LabelButton> Label2;  // the button bar; index 7 is the set indicator
    ControlArray<CaptionLabel> Label3; // 0 logo, 1 chosen vocabulary's name
    ControlArray<CaptionLabel> Label4; // "Pisteet", "Numero"
    ControlArray<CaptionLabel> Label5; // running test score, test word number
    CaptionLabel *Label6 = nullptr;    // the test's prompt word
    CaptionLabel *Label7 = nullptr;    // the test's verdict
    CaptionLabel *Label9 = nullptr;    // the blinking prompt
    TextBox *Text1 = nullptr;          // the test's answer box
    ControlArray<ShapeWidget> Shape1;  // circles behind the score and word number
    ShapeWidget *Shape2 = nullptr;     // the highlight bar
    ControlArray<ShapeWidget> Shape3;  // frames behind the buttons
    ShapeWidget *Line1 = nullptr;
    QMenu *Header1 = nullptr;    // "&Sanasto"
    ControlArray<QAction> Menu1; // the fifteen vocabularies, 1 to 15
    FormTimer *Timer1 = nullptr; // the drill clock, 100 ms
    FormTimer *Timer2 = nullptr; // the prompt blinker, 750 ms

    void Form_Load();
    void Timer2_Timer();

    // The set browser.
    void Menu1_Click(int Index);
    void Get_Vocabulary();

    // The button bar.
    void Label2_Click(int Index);

    // The drills that the bar starts: the exercise and the timed test.
    void Harjoitus();
    void Testi();

    // The drill clock.
    void Timer1_Timer();
    void Text1_KeyDown(int &KeyCode, int Shift);

    // The highlight bar's arrow keys, when the window itself holds the focus.
    void Form_KeyUp(int KeyCode, int Shift);

    // The folder that Form_Load makes current: the vocabulary database and results file.
    QString programFolder() const { return m_programFolder; }

protected:
    void Form_Activate() override;
    void closeEvent(QCloseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void buildMenu();

    Program &m_program;
    Shared_State &m_state;
    QString m_programFolder;
};
