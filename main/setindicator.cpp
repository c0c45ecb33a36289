#include "main/setindicator.h"

#include "main/textrules.h"

namespace SetIndicator {

int current(QStringView indicator)
{
    const qsizetype slash = indicator.indexOf(QLatin1Char('/'));
    return Text_Int(slash < 0 ? indicator : indicator.left(slash));
}

int total(QStringView indicator) { return Text_Int(afterSlash(indicator)); }

QStringView afterSlash(QStringView indicator)
{
    const qsizetype slash = indicator.indexOf(QLatin1Char('/'));
    return slash < 0 ? QStringView() : indicator.mid(slash + 1);
}

QString text(int current, int total)
{
    return Number_Text(current) + QLatin1Char('/') + Number_Text(total);
}

QString compactText(int current, int total)
{
    return QString::number(current) + QLatin1Char('/') + QString::number(total);
}

QString withCurrent(int current, QStringView former)
{
    QString text = Number_Text(current) + QLatin1Char('/');
    text += afterSlash(former);
    return text;
}

} // namespace SetIndicator
