#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <random>

// The random generator of the drills and the exam: uniform values in [0, 1). Each draw seeds
// it from the system clock first; a test fixes the seed so that the draw repeats.
class RandomGenerator
{
public:
    RandomGenerator();

    // Seeds from the clock, or from the fixed seed once one is set.
    void seedFromClock();

    // From now on every seeding takes this seed instead of the clock. Seeds at once, too.
    void fixSeed(quint64 seed);

    // A uniform value in [0, 1).
    double uniform();

    // The integer part of (a uniform value × range), plus 1: a number from 1 to range.
    int number(int range);

    // The same rule for a given uniform value.
    static int numberFrom(double uniform, int range);

private:
    std::mt19937_64 m_engine;
    std::optional<quint64> m_fixedSeed;
};

// The record of a draw without repeats: "*", then each number drawn as decimal text followed
// by "*" ("*17*3*88*"). A number counts as drawn when "*", its text and "*" stand in a row, so
// 1 is never mistaken for 10 or 21.
class DrawRecord
{
public:
    bool contains(int number) const;

    // Appends the number unless it was drawn before; true when it was appended.
    bool add(int number);

    // One repetition of the draw: a number from 1 to range, added when new.
    bool draw(RandomGenerator &random, int range) { return add(random.number(range)); }

    int count() const { return m_count; }

    // The record as it stands, leading "*" included.
    QString text() const { return m_text; }

    // The drawn numbers in the order drawn, each followed by "*" ("17*3*88*").
    QString order() const { return m_text.mid(1); }

private:
    QString m_text = QStringLiteral("*");
    int m_count = 0;
};

// Takes the first number off an order text: the Text_Value of the text before its first "*";
// the order becomes the text after that "*". With no "*" left, the order and the number are
// kept as they are and the result is false.
bool takeDrawnNumber(QString &order, int &number);
