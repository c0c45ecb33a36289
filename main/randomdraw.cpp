#include "main/randomdraw.h"

#include "main/textrules.h"

#include <chrono>
#include <cmath>

RandomGenerator::RandomGenerator() { seedFromClock(); }

void RandomGenerator::seedFromClock()
{
    if (m_fixedSeed) {
        m_engine.seed(*m_fixedSeed);
        return;
    }
    // Nanoseconds, so that two draws in the same second still differ.
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch();
    m_engine.seed(quint64(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void RandomGenerator::fixSeed(quint64 seed)
{
    m_fixedSeed = seed;
    m_engine.seed(seed);
}

double RandomGenerator::uniform()
{
    // The top 53 bits make a double that is always below 1.
    return double(m_engine() >> 11) * 0x1.0p-53;
}

int RandomGenerator::number(int range) { return numberFrom(uniform(), range); }

int RandomGenerator::numberFrom(double uniform, int range)
{
    return int(std::floor(uniform * range)) + 1;
}

bool DrawRecord::contains(int number) const
{
    return m_text.contains(QLatin1Char('*') + QString::number(number) + QLatin1Char('*'));
}

bool DrawRecord::add(int number)
{
    if (contains(number))
        return false;
    m_text += QString::number(number) + QLatin1Char('*');
    ++m_count;
    return true;
}

bool takeDrawnNumber(QString &order, int &number)
{
    const qsizetype star = order.indexOf(QLatin1Char('*'));
    if (star < 0)
        return false;
    number = Text_Int(QStringView(order).left(star));
    order.remove(0, star + 1);
    return true;
}
