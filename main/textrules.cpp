#include "main/textrules.h"

#include <cmath>
#include <limits>

QString Number_Text(qint64 number)
{
    const QString digits = QString::number(number);
    return number >= 0 ? QLatin1Char(' ') + digits : digits;
}

double Text_Value(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    qsizetype end = i;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
        if (i - digitsStart > 1)
            end = i;
    }
    if (end == digitsStart)
        return 0;
    bool ok = false;
    const double value = text.mid(start, end - start).toString().toDouble(&ok);
    return ok ? value : 0;
}

int Text_Int(QStringView text)
{
    const double value = Text_Value(text);
    if (!(value > std::numeric_limits<int>::min()) || !(value < std::numeric_limits<int>::max()))
        return value > 0 ? std::numeric_limits<int>::max() : 0;
    return int(std::lround(value));
}

QString Trimmed(QStringView text) { return trimmedView(text).toString(); }

QStringView trimmedView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

int centredTitleBlanks(int outerWidthTwips, int divisor)
{
    if (divisor <= 0 || outerWidthTwips <= 0)
        return 0;
    const int quotient = outerWidthTwips / divisor;
    const int twiceRemainder = 2 * (outerWidthTwips % divisor);
    if (twiceRemainder > divisor || (twiceRemainder == divisor && quotient % 2 == 1))
        return quotient + 1;
    return quotient;
}

QString centredTitle(int outerWidthTwips, int divisor, const QString &title)
{
    return QString(centredTitleBlanks(outerWidthTwips, divisor), QLatin1Char(' ')) + title;
}
