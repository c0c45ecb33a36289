#include "exam/form2.h"

#include "exam/answermask.h"
#include "exam/examdraw.h"
#include "exam/examscoring.h"
#include "exam/examsection.h"
#include "exam/form2layout.h"
#include "main/form1.h"
#include "main/passmark.h"
#include "main/program.h"
#include "main/resultsfile.h"
#include "main/sharedstate.h"
#include "main/textrules.h"
#include "main/vocabularydatabase.h"
#include "platform/keycodes.h"
#include "platform/layout.h"
#include "platform/twips.h"

#include <QFile>

#include <algorithm>

const QString Form2::noSectionText = QStringLiteral("Sanaston sanoja ei löytynyt.");
const QString Form2::tooFewWordsText =
    QStringLiteral("Sanastossa on liian vähän sanoja kokeeseen.");
const QString Form2::recordFullText = QStringLiteral("Kokeita on jo 100: tulosta ei tallennettu.");
const QString Form2::notSavedText = QStringLiteral("Tulosta ei voitu tallentaa.");

Form2::Form2(Program &program, Shared_State &state, QWidget *parent)
    : FormWindow(Form2Layout::clientWidth, Form2Layout::clientHeight, parent), m_program(program),
      m_state(state)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QString::fromLatin1(Form2Layout::designCaption));
    setWindowIcon(QIcon(QStringLiteral(":/images/kielotar.ico")));
    setBackgroundColor(colorFromBgr(Form2Layout::backColor));
    buildControls();
}

void Form2::buildControls()
{
    const Layout::Controls controls = Layout::build(client(), Form2Layout::controls());
    Image1 = controls.single<QLabel>("Image1");
    Image2 = controls.single<QLabel>("Image2");
    Label1 = controls.single<CaptionLabel>("Label1");
    Label2 = controls.array<CaptionLabel>("Label2");
    Label3 = controls.array<CaptionLabel>("Label3");
    Label4 = controls.single<CaptionLabel>("Label4");
    Label5 = controls.single<CaptionLabel>("Label5");
    Label6 = controls.array<LabelButton>("Label6");
    Shape3 = controls.array<ShapeWidget>("Shape3");
    List1 = controls.array<ListBox>("List1");
    Text1 = controls.array<TextBox>("Text1");

    // The same pointing hand as over the main window's buttons; its fingertip is the hot spot.
    const QCursor hand(QPixmap(QStringLiteral(":/images/hand.png")), 12, 1);
    for (int index : Label6.indices()) {
        Label6[index]->setCursor(hand);
        connect(Label6[index], &LabelButton::clicked, this, [this, index] { Label6_Click(index); });
    }
    for (int index : List1.indices())
        List1[index]->setClickHandler([this, index] { List1_Click(index); });
    for (int index : Text1.indices())
        Text1[index]->setKeyDownHandler(
            [this, index](int &keyCode, int shift) { Text1_KeyDown(index, keyCode, shift); });
}

void Form2::Form_Activate()
{
    setWindowTitle(centredTitle(outerWidthTwips(), Form2Layout::titleDivisor,
                                QString::fromLatin1(Form2Layout::title)));
    m_state.Left_Words.dimension(ExamDraw::rowCount);
    m_state.Right_Words.dimension(ExamDraw::rowCount);
    m_state.Exam_Table.dimension();
    m_examDrawn = false;

    List1[0]->clear();
    List1[1]->clear();
    Label2[0]->hide();
    Label2[1]->hide();
    Label5->hide();
    Label4->setCaption(m_program.form1()->Label3[1]->caption());

    // The section is read and the exam drawn without letting other events in: reading the
    // file takes well under a millisecond, and no click or activation can then reach a
    // half-built exam. A file that cannot be opened holds no section.
    const ExamSection::Result section = [this] {
        QFile database;
        if (!VocabularyDatabase::open(database))
            return ExamSection::Result();
        return ExamSection::read(database, m_state.Vocabulary_Index, m_state.Vocabulary_Lines);
    }();

    Text1[0]->setText(QString());
    Text1[1]->setText(QString());
    Label1->setCaption(QString());
    Label2[0]->setCaption(QString());
    Label2[1]->setCaption(QString());

    // Without the section, or with fewer than 100 words to draw from, there is no exam to give:
    // the lists stay empty and the prompt box says why.
    const int range = ExamDraw::range(m_state.Set_Count);
    if (!section.headerFound || !ExamDraw::canDraw(range)) {
        Text1[0]->setText(section.headerFound ? tooFewWordsText : noSectionText);
        Text1[1]->setFocus();
        return;
    }

    const ExamTable &table = m_state.Exam_Table;
    ExamDraw::draw(m_program.random(), range, m_state.Vocabulary_Lines, m_state.Exam_Table);
    for (int row = 1; row <= ExamDraw::rowCount; ++row) {
        List1[0]->addItem(table.at(ExamTable::Prompt, row));
        List1[1]->addItem(answerMask(table.at(ExamTable::Expected_Answer, row)));
    }
    Text1[0]->setText(QLatin1Char(' ') + table.at(ExamTable::Prompt, 1));
    m_examDrawn = true;
    Text1[1]->setFocus();
}

int Form2::currentRow() const { return List1[0]->listIndex() + 1; }

void Form2::List1_Click(int)
{
    Text1[0]->setText(List1[0]->text());
    Text1[1]->setText(m_state.Exam_Table.at(ExamTable::Typed_Answer, currentRow()));
    Text1[1]->setFocus();
}

void Form2::Text1_KeyDown(int, int &KeyCode, int)
{
    ListBox *left = List1[0];
    ListBox *right = List1[1];
    if (KeyCode == KeyCodes::Enter) {
        // With no line selected the answer goes to row 0, which no list line shows.
        const int line = left->listIndex();
        const QString answer = Trimmed(Text1[1]->text());
        m_state.Exam_Table.set(ExamTable::Typed_Answer, line + 1, answer);
        if (!answer.isEmpty() && line >= 0)
            right->setItemText(line, answer);
        KeyCode = KeyCodes::Down;
    }

    if (KeyCode == KeyCodes::Up) {
        if (left->listIndex() > 0) {
            left->setListIndex(left->listIndex() - 1);
            right->setListIndex(left->listIndex());
            Text1[1]->setText(m_state.Exam_Table.at(ExamTable::Typed_Answer, currentRow()));
        }
    } else if (KeyCode == KeyCodes::Down) {
        // Bounded by the lines there are, so that a window without an exam stays as it is.
        if (left->listIndex() < left->count() - 1) {
            left->setListIndex(left->listIndex() + 1);
            right->setListIndex(left->listIndex());
            Text1[1]->setText(m_state.Exam_Table.at(ExamTable::Typed_Answer, currentRow()));
        }
    }
}

void Form2::Label6_Click(int Index)
{
    if (Index == Form2Layout::checkButton)
        checkExam();
    else if (Index == Form2Layout::backButton)
        goBack();
}

void Form2::checkExam()
{
    // Scored once per activation: the shown score marks the exam as scored.
    if (!m_examDrawn || !Label2[0]->isHidden())
        return;

    const ExamTable &table = m_state.Exam_Table;
    List1[1]->clear();
    for (int row = 1; row <= ExamDraw::rowCount; ++row)
        List1[1]->addItem(ExamScoring::resultLine(table.at(ExamTable::Typed_Answer, row),
                                                  table.at(ExamTable::Expected_Answer, row)));
    const int score = ExamScoring::score(table);

    const QString scoreText = ExamScoring::scoreText(score);
    Label2[0]->setCaption(scoreText);
    Label2[1]->setCaption(scoreText);
    Label2[0]->show();
    Label2[1]->show();
    Label5->setCaption(PassMark::verdict(score));
    Label5->show();

    recordScore(score);
}

void Form2::recordScore(int score)
{
    const int vocabulary = m_state.Vocabulary_Index;
    if (!ResultsFile::isVocabulary(vocabulary))
        return;
    const int line = ResultsFile::examLine(vocabulary);
    // A record with no free slot is never written past its 100 slots; the student is told
    // instead, and only a record whose slots all hold exams says it has 100 of them.
    const QByteArray record = m_state.Result_Lines.at(line);
    const int slot = ResultsFile::firstFreeSlot(record);
    if (slot == 0) {
        Text1[0]->setText(ExamScoring::isFullRecord(record) ? recordFullText : notSavedText);
        return;
    }
    // A record that could not be written stays in memory, for the next save to write out. One
    // that another copy of the program left no free slot for is not stored at all.
    Store_Result_Entry(m_state.Result_Lines, line, slot, score);
    if (Save_Results_File(m_state.Result_Lines))
        return;
    const bool refused = std::any_of(
        m_state.Result_Lines.refused.cbegin(), m_state.Result_Lines.refused.cend(),
        [line](const ResultsFile::Record &refusedOne) { return refusedOne.line == line; });
    const bool full = refused && ExamScoring::isFullRecord(m_state.Result_Lines.at(line));
    Text1[0]->setText(full ? recordFullText : notSavedText);
}

void Form2::goBack()
{
    hide();
    m_program.form1()->showForm();
}
