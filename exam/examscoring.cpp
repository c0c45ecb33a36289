#include "exam/examscoring.h"

#include "exam/examdraw.h"
#include "main/resultsfile.h"
#include "main/textrules.h"

namespace ExamScoring {

bool isRight(QStringView expected, QStringView typed)
{
    return Trimmed(expected) == Trimmed(typed);
}

int score(const ExamTable &table)
{
    int right = 0;
    for (int row = 1; row <= ExamDraw::rowCount; ++row)
        if (isRight(table.at(ExamTable::Expected_Answer, row),
                    table.at(ExamTable::Typed_Answer, row)))
            ++right;
    return right;
}

QString scoreText(int score) { return QString::number(score) + QStringLiteral("/100"); }

QString resultLine(const QString &typed, const QString &expected)
{
    return typed + QStringLiteral("\t(") + expected + QLatin1Char(')');
}

bool isFullRecord(const QByteArray &examLine)
{
    using namespace ResultsFile;
    if (examLine.size() < lineLength)
        return false;
    for (qsizetype k = 0; k < slotCount; ++k) {
        const int score = scoreOf(examLine.at(k));
        if (score < 1 || score > 100)
            return false;
    }
    return true;
}

} // namespace ExamScoring
