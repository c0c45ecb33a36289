#include "main/program.h"

#include "main/form1.h"

#include <QCoreApplication>

Program::Folders Program::defaultFolders()
{
    // The data directory of the design, "C:/Kielotar/Kielotar Opinto", with the drive letter
    // standing for the root of the file system.
    return {QCoreApplication::applicationDirPath(), QStringLiteral("/Kielotar/Kielotar Opinto")};
}

Program::Program(Folders folders) : m_folders(std::move(folders)) {}

Program::~Program()
{
    delete m_form1.data();
}

void Program::start()
{
    form1()->showForm();
}

Form1 *Program::form1()
{
    if (!m_form1)
        m_form1 = new Form1(*this, m_state, m_folders.programFolder);
    return m_form1;
}
