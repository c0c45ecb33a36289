#include "results/form5.h"

#include "main/form1.h"
#include "main/program.h"
#include "main/resultsfile.h"
#include "main/sharedstate.h"
#include "main/textrules.h"
#include "platform/layout.h"
#include "platform/twips.h"
#include "results/form5layout.h"
#include "results/resultrows.h"

#include <QAction>

Form5::Form5(Program &program, Shared_State &state, QWidget *parent)
    : FormWindow(Form5Layout::clientWidth, Form5Layout::clientHeight, parent), m_program(program),
      m_state(state)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QString::fromLatin1(Form5Layout::designCaption));
    setWindowIcon(QIcon(QStringLiteral(":/images/kielotar.ico")));
    setBackgroundColor(colorFromBgr(Form5Layout::backColor));
    buildControls();
}

void Form5::buildControls()
{
    const Layout::Controls controls = Layout::build(client(), Form5Layout::controls());
    Label3 = controls.array<CaptionLabel>("Label3");
    Shape1 = controls.array<ShapeWidget>("Shape1");
    List1 = controls.single<ListBox>("List1");
    List2 = controls.single<ListBox>("List2");
    List3 = controls.single<ListBox>("List3");

    setTabOrder(List1, List2);
    setTabOrder(List2, List3);
    List2->setClickHandler([this] { List2_Click(); });
}

void Form5::Form_Activate()
{
    setWindowTitle(centredTitle(outerWidthTwips(), Form5Layout::titleDivisor,
                                QString::fromLatin1(Form5Layout::designCaption)));
    List1->clear();
    List2->clear();
    if (m_state.Vocabulary_Index == 0)
        m_state.Vocabulary_Index = 1;

    Form1 *form1 = m_program.form1();
    for (int k = 1; k <= ResultsFile::vocabularyCount; ++k)
        if (const QAction *item = form1->Menu1[k])
            List2->addItem(QLatin1Char(' ') + item->text());

    // Selecting raises List2_Click, which fills the tables; the second fill gives the same.
    List2->setListIndex(m_state.Vocabulary_Index - 1);
    Populate_Scores();
}

void Form5::List2_Click() { Populate_Scores(); }

void Form5::Populate_Scores()
{
    List1->clear();
    List3->clear();
    List1->addItem(ResultRows::testHeading());
    List3->addItem(ResultRows::examHeading());
    List1->addItem(QString());
    List3->addItem(QString());

    // With no vocabulary selected there is no record to show: the rows read as never written.
    const int v = List2->listIndex() + 1;
    const bool shown = ResultsFile::isVocabulary(v);
    const QByteArray tests =
        shown ? m_state.Result_Lines.at(ResultsFile::testLine(v)) : QByteArray();
    const QByteArray exams =
        shown ? m_state.Result_Lines.at(ResultsFile::examLine(v)) : QByteArray();
    for (int k = 1; k <= ResultsFile::slotCount; ++k) {
        List1->addItem(ResultRows::testRow(tests, k));
        List3->addItem(ResultRows::examRow(exams, k));
    }
}
