#include "main/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kielotar Opinto"));
    // The main window ends the program itself when it closes; hiding the login window or
    // closing another window must not.
    QApplication::setQuitOnLastWindowClosed(false);
    Program program;
    program.start();
    return QApplication::exec();
}
