#include "exam/answermask.h"

QString answerMask(QStringView answer)
{
    QString mask(answer.size(), QLatin1Char('?'));
    for (qsizetype i = 0; i < answer.size(); ++i)
        if (answer[i] == QLatin1Char(' '))
            mask[i] = QLatin1Char(' ');
    return mask;
}
