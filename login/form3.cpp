#include "login/form3.h"

#include "login/form3layout.h"
#include "login/userlist.h"
#include "login/usernamevalidator.h"
#include "main/form1.h"
#include "main/program.h"
#include "platform/commandbutton.h"
#include "platform/keycodes.h"
#include "platform/layout.h"
#include "platform/programend.h"

#include <QCloseEvent>
#include <QDir>
#include <QIcon>

Form3::Form3(Program &program, const QString &dataDirectory, QWidget *parent)
    : FormWindow(Form3Layout::clientWidth, Form3Layout::clientHeight, parent), m_program(program),
      m_dataDirectory(dataDirectory)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QString::fromLatin1(Form3Layout::caption));
    setWindowIcon(QIcon(QStringLiteral(":/images/kielotar.ico")));
    buildControls();
}

void Form3::buildControls()
{
    const Layout::Controls controls = Layout::build(client(), Form3Layout::controls());
    Combo1 = controls.single<QComboBox>("Combo1");
    Label1 = controls.single<CaptionLabel>("Label1");
    Text1 = controls.single<TextBox>("Text1");
    Command1 = controls.single<QPushButton>("Command1");

    QWidget::setTabOrder(Combo1, Text1);
    QWidget::setTabOrder(Text1, Command1);

    Text1->setValidator(new UserNameValidator(Text1));
    Text1->setKeyDownHandler([this](int &keyCode, int shift) { Text1_KeyDown(keyCode, shift); });

    // Enter signs in from the name box's key-down or from the button's key-up, never through
    // a default button: one Enter, one sign-in.
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    CommandButton::setKeyUpHandler(
        Command1, [this](int &keyCode, int shift) { Command1_KeyUp(keyCode, shift); });
}

void Form3::Form_Activate()
{
    // A missing data directory is not created: the folder that is current stays so and holds
    // the user files instead.
    QDir::setCurrent(m_dataDirectory);
    Combo1->addItems(UserList::load());
    Combo1->setCurrentIndex(0);
    if (Combo1->currentText().isEmpty())
        Text1->setFocus();
    else
        Command1->setFocus();
}

void Form3::Command1_Click() { Login(); }

void Form3::Command1_KeyUp(int &KeyCode, int)
{
    if (KeyCode == KeyCodes::Enter)
        Login();
}

void Form3::Text1_KeyDown(int &KeyCode, int)
{
    if (KeyCode != KeyCodes::Enter)
        return;
    Login();
    KeyCode = 0; // the Enter is spent; nothing else in the window acts on it
}

void Form3::Login()
{
    if (m_signedIn)
        return;
    const QString selected = Combo1->currentText();
    const QString typed = Text1->text();
    if (selected.isEmpty() && typed.isEmpty())
        return;
    m_signedIn = true;

    Form1 *form1 = nullptr;
    if (!typed.isEmpty()) {
        const int selectedIndex = Combo1->currentIndex(); // -1 when nothing is selected
        Combo1->addItem(typed);
        Combo1->setCurrentIndex(selectedIndex); // adding to an empty list selects nothing
        UserList::append(typed);
        // Written here, in the data directory: creating the main window makes its own folder
        // current.
        UserFile::write(selectedIndex + 2);
        form1 = m_program.form1();
        if (CaptionLabel *results = form1->Label2[4])
            results->setCaption(typed);
        form1->Label9->setVisible(true);
    } else {
        form1 = m_program.form1();
        if (CaptionLabel *results = form1->Label2[4])
            results->setCaption(selected);
        form1->Label9->setVisible(false);
    }
    form1->showForm();
    hide();
}

void Form3::closeEvent(QCloseEvent *event)
{
    // Before sign-in no other window exists, so closing this one ends the program. Afterwards
    // the window is only ever hidden.
    event->accept();
    if (!m_signedIn)
        ProgramEnd::end();
}
