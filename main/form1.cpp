#include "main/form1.h"

#include "main/form1layout.h"
#include "main/program.h"
#include "main/resultsfile.h"
#include "main/sharedstate.h"
#include "main/textrules.h"
#include "main/vocabularydatabase.h"
#include "platform/layout.h"
#include "platform/programend.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QPixmap>

namespace {

constexpr int drillTickMs = 100;
constexpr int blinkMs = 750;

} // namespace

Form1::Form1(Program &program, Shared_State &state, const QString &programFolder, QWidget *parent)
    : FormWindow(Form1Layout::clientWidth, Form1Layout::clientHeight, parent), m_program(program),
      m_state(state), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(Form1Layout::designCaption));
    setWindowIcon(QIcon(QStringLiteral(":/images/kielotar.ico")));
    setBackgroundColor(colorFromBgr(Form1Layout::backColor));
    buildMenu();
    buildControls();
    Form_Load();
}

void Form1::buildControls()
{
    const Layout::Controls controls = Layout::build(client(), Form1Layout::controls());
    Image2 = controls.single<QLabel>("Image2");
    Label1 = controls.array<CaptionLabel>("Label1");
    Label2 = controls.array<LabelButton>("Label2");
    Label3 = controls.array<CaptionLabel>("Label3");
    Label4 = controls.array<CaptionLabel>("Label4");
    Label5 = controls.array<CaptionLabel>("Label5");
    Label6 = controls.single<CaptionLabel>("Label6");
    Label7 = controls.single<CaptionLabel>("Label7");
    Label9 = controls.single<CaptionLabel>("Label9");
    Text1 = controls.single<TextBox>("Text1");
    Shape1 = controls.array<ShapeWidget>("Shape1");
    Shape2 = controls.single<ShapeWidget>("Shape2");
    Shape3 = controls.array<ShapeWidget>("Shape3");
    Line1 = controls.single<ShapeWidget>("Line1");

    // The pointing hand over every button but the set indicator; its fingertip is the hot spot.
    const QCursor hand(QPixmap(QStringLiteral(":/images/hand.png")), 12, 1);
    for (int index : Label2.indices()) {
        if (index != Form1Layout::setIndicator)
            Label2[index]->setCursor(hand);
        connect(Label2[index], &LabelButton::clicked, this, [this, index] { Label2_Click(index); });
    }

    Text1->setKeyDownHandler([this](int &keyCode, int shift) { Text1_KeyDown(keyCode, shift); });

    Timer1 = new FormTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(drillTickMs);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);

    Timer2 = new FormTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(blinkMs);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
}

void Form1::buildMenu()
{
    Header1 = menuBar()->addMenu(QStringLiteral("&Sanasto"));
    Header1->setObjectName(QStringLiteral("Header1"));
    int index = 0;
    for (const char *name : Form1Layout::vocabularyNames()) {
        ++index;
        QAction *item = Header1->addAction(QString::fromUtf8(name));
        item->setObjectName(QStringLiteral("Menu1_%1").arg(index));
        connect(item, &QAction::triggered, this, [this, index] { Menu1_Click(index); });
        Menu1.insert(index, item);
    }
}

void Form1::Form_Load()
{
    // From here on the database and the results file are opened by their bare names. When the
    // folder cannot be made current, the one that was current stays so.
    QDir::setCurrent(m_programFolder);
    Load_Results_File(m_state.Result_Lines);
    Label9->setVisible(true);
    Timer2->setEnabled(true);
}

void Form1::Form_Activate()
{
    setWindowTitle(centredTitle(outerWidthTwips(), Form1Layout::titleDivisor,
                                QString::fromLatin1(Form1Layout::designCaption)));
    Load_Database(m_state.Database_Lines);
}

void Form1::Timer2_Timer() { Label9->setVisible(Label9->isHidden()); }

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, whatever else is open or running.
    event->accept();
    ProgramEnd::end();
}
