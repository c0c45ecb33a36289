#pragma once

#include "main/sharedstate.h"

#include <QPointer>
#include <QString>

class Form1;

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
    const Folders &folders() const { return m_folders; }

    // Shows the first window of a run.
    void start();

    // The main window; its first use creates it and so runs its Form_Load.
    Form1 *form1();
    bool hasForm1() const { return !m_form1.isNull(); }

private:
    Shared_State m_state;
    Folders m_folders;
    QPointer<Form1> m_form1;
};
