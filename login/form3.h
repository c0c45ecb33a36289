#pragma once

#include "platform/captionlabel.h"
#include "platform/formwindow.h"
#include "platform/textbox.h"

#include <QComboBox>
#include <QPushButton>

class Program;

// The login window, the first window of a run: the known users to pick from, a box for a new
// user's name, and "Alkaa". Signing in writes the user files of a new user in the data
// directory, hands the name over to the main window, shows it and hides this window for good.
class Form3 : public FormWindow
{
    Q_OBJECT

public:
    Form3(Program &program, const QString &dataDirectory, QWidget *parent = nullptr);

    // Controls, named as the layout names them.
    QComboBox *Combo1 = nullptr;     // the known users, pick-only
    CaptionLabel *Label1 = nullptr;  // "Uusi"
    TextBox *Text1 = nullptr;        // a new user's name
    QPushButton *Command1 = nullptr; // "Alkaa"

    void Command1_Click();
    void Command1_KeyUp(int &KeyCode, int Shift);
    void Text1_KeyDown(int &KeyCode, int Shift);
    void Login();

    QString dataDirectory() const { return m_dataDirectory; }
    bool isSignedIn() const { return m_signedIn; }

protected:
    void Form_Activate() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();

    Program &m_program;
    QString m_dataDirectory;
    bool m_signedIn = false;
};
