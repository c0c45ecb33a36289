#include "help/form4.h"
#include "help/helptext.h"
#include "main/textrules.h"
#include "platform/layout.h"
#include "programfixture.h"

#include <memory>

class TestInstructions : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_fixture;

private slots:
    void init() { m_fixture = std::make_unique<ProgramFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void textIsThirtyOneLinesEndingInCrLf()
    {
        const QStringList lines = HelpText::lines();
        QCOMPARE(lines.size(), 31);
        QCOMPARE(HelpText::text(), lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n"));
        QList<int> empty;
        for (int i = 0; i < lines.size(); ++i) {
            const QString &line = lines[i];
            QVERIFY2(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')),
                     qPrintable(QString::number(i + 1)));
            if (line.isEmpty())
                empty.append(i + 1);
            else
                QVERIFY2(line.startsWith(QLatin1Char(' ')) && line[1] != QLatin1Char(' '),
                         qPrintable(QString::number(i + 1)));
        }
        QCOMPARE(empty, QList<int>({2, 4, 8, 11, 13, 20, 22, 28, 30}));
    }

    void linesKeepTheirBlanks_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("introduction ends in a blank") << 1 << " Kielotar - opiskeluohjelmalla"
                                                      << "toivottuun lopputulokseen. ";
        QTest::newRow("four blanks after the heading") << 3 << " Sanaston opiskelu.    Valitse"
                                                       << "(klikkaa hiirellä). ";
        QTest::newRow("two blanks after Ohjelma") << 10 << " Ohjelma  näyttää"
                                                  << "edelliseen ikkunaan. ";
        QTest::newRow("section heading") << 12 << " Testaus. "
                                         << " Testaus. ";
        QTest::newRow("ten per cent, nothing after") << 16 << " Jos kirjoittamasi"
                                                     << "antaa 10%";
        QTest::newRow("last line") << 31 << " Ohjelma sisältää"
                                   << "15 valmiita eri alojen sanastoja.";
    }
    void linesKeepTheirBlanks()
    {
        QFETCH(int, line);
        QFETCH(QString, start);
        QFETCH(QString, end);
        const QString text = HelpText::lines().value(line - 1);
        QVERIFY2(text.startsWith(start), qPrintable(text));
        QVERIFY2(text.endsWith(end), qPrintable(text));
    }

    void windowFollowsTheLayout()
    {
        Form4 *form = m_fixture->program().form4();
        QCOMPARE(form->windowTitle(), QStringLiteral("Ohjeet"));
        QCOMPARE(form->windowIcon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
        QCOMPARE(form->client()->size(), QSize(928, 630)); // 13920 x 9450 twips
        QCOMPARE(form->client()->palette().color(QPalette::Window), QColor(255, 255, 192));

        CaptionLabel *label = form->Label1;
        QCOMPARE(Layout::rectTwips(label), QRect(240, 120, 13575, 9300));
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 255, 192));
        QCOMPARE(label->font().family(), QStringLiteral("Arial"));
        QCOMPARE(label->font().pixelSize(), 16); // 12 points
        QVERIFY(!label->font().bold());
        QVERIFY(label->alignment() & Qt::AlignLeft);
        QVERIFY(label->wordWrap());
        QVERIFY(label->caption().isEmpty()); // written at activation
    }

    void activationWritesTitleAndText()
    {
        Form4 *form = m_fixture->program().form4();
        QVERIFY(m_fixture->openFromForm1(form));
        QCOMPARE(m_fixture->program().form4(), form);
        const QString title = centredTitle(form->outerWidthTwips(), 120, QStringLiteral("Ohjeet"));
        QCOMPARE(form->windowTitle(), title);
        QVERIFY(title.startsWith(QString(100, QLatin1Char(' '))));
        QCOMPARE(form->Label1->caption(), HelpText::text());

        // Hidden and shown again: the same text, the title written afresh.
        toggleWindow(form);
        QVERIFY(!form->isVisible());
        form->Label1->setCaption(QString());
        form->setWindowTitle(QStringLiteral("Ohjeet"));
        QVERIFY(m_fixture->openFromForm1(form));
        QCOMPARE(form->Label1->caption(), HelpText::text());
        QCOMPARE(form->windowTitle(), title);

        // Closed from its frame, it only hides; the button shows it again.
        form->close();
        QVERIFY(!form->isVisible());
        form->Label1->setCaption(QString());
        QVERIFY(m_fixture->openFromForm1(form));
        QCOMPARE(form->Label1->caption(), HelpText::text());
    }
};

QTEST_MAIN(TestInstructions)
#include "tst_instructions.moc"
