#include "help/form4.h"

#include "help/form4layout.h"
#include "help/helptext.h"
#include "main/textrules.h"
#include "platform/layout.h"
#include "platform/twips.h"

Form4::Form4(QWidget *parent)
    : FormWindow(Form4Layout::clientWidth, Form4Layout::clientHeight, parent)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QString::fromLatin1(Form4Layout::designCaption));
    setWindowIcon(QIcon(QStringLiteral(":/images/kielotar.ico")));
    setBackgroundColor(colorFromBgr(Form4Layout::backColor));
    const Layout::Controls controls = Layout::build(client(), Form4Layout::controls());
    Label1 = controls.single<CaptionLabel>("Label1");
}

void Form4::Form_Activate()
{
    setWindowTitle(centredTitle(outerWidthTwips(), Form4Layout::titleDivisor,
                                QString::fromLatin1(Form4Layout::designCaption)));
    Label1->setCaption(HelpText::text());
}
