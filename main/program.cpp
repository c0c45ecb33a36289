#include "main/program.h"

#include "exam/form2.h"
#include "help/form4.h"
#include "login/form3.h"
#include "main/form1.h"
#include "results/form5.h"

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
    delete m_form5.data();
    delete m_form4.data();
    delete m_form2.data();
    delete m_form1.data();
    delete m_form3.data();
}

void Program::start() { form3()->showForm(); }

Form1 *Program::form1()
{
    if (!m_form1)
        m_form1 = new Form1(*this, m_state, m_folders.programFolder);
    return m_form1;
}

Form2 *Program::form2()
{
    if (!m_form2)
        m_form2 = new Form2(*this, m_state);
    return m_form2;
}

Form3 *Program::form3()
{
    if (!m_form3)
        m_form3 = new Form3(*this, m_folders.dataDirectory);
    return m_form3;
}

Form4 *Program::form4()
{
    if (!m_form4)
        m_form4 = new Form4;
    return m_form4;
}

Form5 *Program::form5()
{
    if (!m_form5)
        m_form5 = new Form5(*this, m_state);
    return m_form5;
}
