#pragma once

#include "main/randomdraw.h"
#include "main/sharedstate.h"

#include <QPointer>
#include <QString>

class Form1;
class Form2;
class Form4;
class Form5;
class Form3;

// Owns the shared study state and the program's windows. A window is created at its first
// use, as the button bar and the login expect.
class Program
{
public:
    struct Folders
    {
        QString programFolder; // holds the vocabulary database and the results file
        QString dataDirectory; // holds the user list and the per-user files
    };

    // The folders of a real run: the executable's own folder, and the fixed data directory.
    static Folders defaultFolders();

    explicit Program(Folders folders = defaultFolders());
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    Shared_State &state() { return m_state; }

    // The generator of the drills' and the exam's draws; tests fix its seed.
    RandomGenerator &random() { return m_random; }
    const Folders &folders() const { return m_folders; }

    // Shows the first window of a run.
    void start();

    // The main window; its first use creates it and so runs its Form_Load.
    Form1 *form1();
    bool hasForm1() const { return !m_form1.isNull(); }

    // The exam window, created at its first use.
    Form2 *form2();

    // The instructions and results windows, created at their first use.
    Form4 *form4();
    Form5 *form5();

    // The login window, the first window of a run.
    Form3 *form3();

private:
    Shared_State m_state;
    RandomGenerator m_random;
    Folders m_folders;
    QPointer<Form1> m_form1;
    QPointer<Form2> m_form2;
    QPointer<Form4> m_form4;
    QPointer<Form5> m_form5;
    QPointer<Form3> m_form3;
};
