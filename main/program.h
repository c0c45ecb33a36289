#pragma once

#include "main/randomdraw.h"
#include "main/sharedstate.h"

#include <QPointer>
#include <QString>

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;

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

    // The windows, each created at its first use: the main window (its creation runs its
    // Form_Load), the exam, the login (the first window of a run), the instructions and the
    // results.
    Form1 *form1();
    bool hasForm1() const { return !m_form1.isNull(); }
    Form2 *form2();
    Form3 *form3();
    Form4 *form4();
    Form5 *form5();

private:
    Shared_State m_state;
    RandomGenerator m_random;
    Folders m_folders;
    QPointer<Form1> m_form1;
    QPointer<Form2> m_form2;
    QPointer<Form3> m_form3;
    QPointer<Form4> m_form4;
    QPointer<Form5> m_form5;
};
