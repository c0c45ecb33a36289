#include "main/program.h"

#include <QApplication>

#include <csignal>

int main(int argc, char *argv[])
{
    // A write past a file size limit then fails and is reported like a full disk, rather than
    // ending the program with its results unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kielotar Opinto"));
    // The main window ends the program itself when it closes; hiding the login window or
    // closing another window must not.
    QApplication::setQuitOnLastWindowClosed(false);
    Program program;
    program.start();
    return QApplication::exec();
}
