#include "main/randomdraw.h"

#include <QSet>
#include <QTest>

class TestRandomDraw : public QObject
{
    Q_OBJECT

private slots:
    void numberScalesAUniformValue_data()
    {
        QTest::addColumn<double>("uniform");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("number");

        QTest::newRow("zero gives 1") << 0.0 << 10 << 1;
        QTest::newRow("just below a tenth") << 0.0999 << 10 << 1;
        QTest::newRow("a tenth gives 2") << 0.1 << 10 << 2;
        QTest::newRow("just below 1 gives the range") << 0.9999999999 << 10 << 10;
        QTest::newRow("exam range") << 0.995 << 150 << 150;
        QTest::newRow("range of one") << 0.7 << 1 << 1;
    }
    void numberScalesAUniformValue()
    {
        QFETCH(double, uniform);
        QFETCH(int, range);
        QFETCH(int, number);
        QCOMPARE(RandomGenerator::numberFrom(uniform, range), number);
    }

    void uniformStaysInsideTheUnitInterval()
    {
        RandomGenerator random;
        random.fixSeed(1);
        QSet<int> seen;
        for (int i = 0; i < 20000; ++i) {
            const double u = random.uniform();
            QVERIFY(u >= 0.0 && u < 1.0);
            const int n = random.number(10);
            QVERIFY(n >= 1 && n <= 10);
            seen.insert(n);
        }
        QCOMPARE(seen.size(), 10);
    }

    void aFixedSeedRepeatsTheDrawAndTheClockDoesNot()
    {
        RandomGenerator a;
        RandomGenerator b;
        a.fixSeed(42);
        b.fixSeed(42);
        QList<double> first;
        for (int i = 0; i < 5; ++i) {
            first << a.uniform();
            QCOMPARE(b.uniform(), first.last());
        }
        // Seeding "from the clock" keeps to the fixed seed once one is set.
        a.seedFromClock();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(a.uniform(), first.at(i));

        RandomGenerator c;
        RandomGenerator d;
        c.seedFromClock();
        QTest::qSleep(1);
        d.seedFromClock();
        bool differ = false;
        for (int i = 0; i < 5; ++i)
            differ = differ || c.uniform() != d.uniform();
        QVERIFY(differ);
    }

    void recordTellsNumbersApart_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("drawn");

        // The record below holds 17, 3, 88 and 1.
        QTest::newRow("17") << 17 << true;
        QTest::newRow("3") << 3 << true;
        QTest::newRow("88") << 88 << true;
        QTest::newRow("1") << 1 << true;
        QTest::newRow("7 inside 17") << 7 << false;
        QTest::newRow("8 inside 88") << 8 << false;
        QTest::newRow("10 is not 1") << 10 << false;
        QTest::newRow("31 across two numbers") << 31 << false;
        QTest::newRow("0") << 0 << false;
    }
    void recordTellsNumbersApart()
    {
        QFETCH(int, number);
        QFETCH(bool, drawn);
        DrawRecord record;
        QCOMPARE(record.text(), QStringLiteral("*"));
        for (int n : {17, 3, 88, 1})
            QVERIFY(record.add(n));
        QCOMPARE(record.text(), QStringLiteral("*17*3*88*1*"));
        QCOMPARE(record.contains(number), drawn);
        // A number drawn before is drawn again rather than recorded twice.
        QCOMPARE(record.add(number), !drawn);
        QCOMPARE(record.count(), drawn ? 4 : 5);
    }

    void aCompleteDrawIsAPermutation_data()
    {
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("wanted");

        QTest::newRow("drill word order") << 10 << 10;
        QTest::newRow("exam of a hundred lines") << 100 << 100;
        QTest::newRow("exam of a hundred and fifty lines") << 150 << 100;
    }
    void aCompleteDrawIsAPermutation()
    {
        QFETCH(int, range);
        QFETCH(int, wanted);
        RandomGenerator random;
        random.fixSeed(7);
        DrawRecord record;
        while (record.count() < wanted)
            record.draw(random, range);

        QString order = record.order();
        QSet<int> numbers;
        int n = 0;
        while (takeDrawnNumber(order, n)) {
            QVERIFY(n >= 1 && n <= range);
            numbers.insert(n);
        }
        QCOMPARE(numbers.size(), wanted);
        QVERIFY(order.isEmpty());
    }

    void takingANumberFromAnEmptyOrderKeepsTheLastOne()
    {
        QString order = QStringLiteral("4*10*");
        int n = 0;
        QVERIFY(takeDrawnNumber(order, n));
        QCOMPARE(n, 4);
        QVERIFY(takeDrawnNumber(order, n));
        QCOMPARE(n, 10);
        QCOMPARE(order, QString());
        // A draw cut short leaves no more numbers: the last one is asked again.
        QVERIFY(!takeDrawnNumber(order, n));
        QCOMPARE(n, 10);
    }
};

QTEST_GUILESS_MAIN(TestRandomDraw)
#include "tst_randomdraw.moc"
