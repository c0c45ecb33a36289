#include "main/textrules.h"
#include "platform/codepage.h"

#include <QTest>

class TestTextRules : public QObject
{
    Q_OBJECT

private slots:
    void numberText_data()
    {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero has a blank") << qint64(0) << " 0";
        QTest::newRow("positive has a blank") << qint64(11) << " 11";
        QTest::newRow("negative has its sign") << qint64(-3) << "-3";
    }
    void numberText()
    {
        QFETCH(qint64, number);
        QFETCH(QString, text);
        QCOMPARE(Number_Text(number), text);
    }

    void textValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks only") << "   " << 0.0;
        QTest::newRow("leading blank skipped, as in the set indicator") << " 11" << 11.0;
        QTest::newRow("trailing text ignored") << "10/10" << 10.0;
        QTest::newRow("blank inside ends the number") << "1 0" << 1.0;
        QTest::newRow("no digits") << "x12" << 0.0;
        QTest::newRow("negative") << "-4" << -4.0;
        QTest::newRow("fraction") << "2.5kg" << 2.5;
        QTest::newRow("lone sign") << "-" << 0.0;
    }
    void textValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(Text_Value(text), value);
    }

    void trimmedRemovesOnlySpaces()
    {
        QCOMPARE(Trimmed(u"  #3  "), QStringLiteral("#3"));
        QCOMPARE(Trimmed(u"\t#3 "), QStringLiteral("\t#3"));
        QCOMPARE(Trimmed(u"   "), QString());
    }

    void centredTitle_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("divisor");
        QTest::addColumn<int>("blanks");
        QTest::newRow("106.5 ties down to even") << 11715 << 110 << 106;
        QTest::newRow("107 exact") << 11770 << 110 << 107;
        QTest::newRow("107.5 ties up to even") << 11825 << 110 << 108;
        QTest::newRow("107.4 rounds down") << 11814 << 110 << 107;
        QTest::newRow("98.5 ties to 98") << 11820 << 120 << 98;
        QTest::newRow("99.5 ties to 100") << 11940 << 120 << 100;
    }
    void centredTitle()
    {
        QFETCH(int, width);
        QFETCH(int, divisor);
        QFETCH(int, blanks);
        QCOMPARE(::centredTitle(width, divisor, QStringLiteral("Kielotar Opinto")),
                 QString(blanks, QLatin1Char(' ')) + QStringLiteral("Kielotar Opinto"));
    }

    void codePageHoldsFinnishLettersAsSingleBytes()
    {
        const QString text = QStringLiteral("Sähkö Åbo €");
        const QByteArray bytes = CodePage::encode(text);
        QCOMPARE(bytes, QByteArray("S\xe4hk\xf6 \xc5\x62o \x80"));
        QCOMPARE(CodePage::decode(bytes), text);
        QVERIFY(CodePage::canEncode(text));
        QVERIFY(!CodePage::canEncode(QStringLiteral("Łukasz")));
    }

    void lineSplitting_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("empty") << QByteArray() << QList<QByteArray>{};
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QList<QByteArray>{"a", "b"};
        QTest::newRow("bare lf") << QByteArray("a\nb\n") << QList<QByteArray>{"a", "b"};
        QTest::newRow("last line without end")
            << QByteArray("a\r\nb") << QList<QByteArray>{"a", "b"};
        QTest::newRow("empty lines kept")
            << QByteArray("\r\n\r\nx") << QList<QByteArray>{"", "", "x"};
        QTest::newRow("lone cr stays in line") << QByteArray("a\rb\n") << QList<QByteArray>{"a\rb"};
    }
    void lineSplitting()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<QByteArray>, lines);
        QCOMPARE(TextLines::split(content), lines);
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
