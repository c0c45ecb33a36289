#include "main/testscoring.h"

namespace TestScoring {

namespace {
constexpr int vocabularyCount = 15;
}

bool isRight(const QString &answer, const QString &leftWord)
{
    return answer == leftWord;
}

int pointsFor(int reactionTicks)
{
    return reactionTicks > fastAnswerLimit ? slowPoints : fastPoints;
}

bool passes(int score)
{
    return score >= passMark;
}

QString verdict(int score)
{
    return passes(score) ? QStringLiteral("Onneksi olkoon") : QStringLiteral("Harjoittele vielä");
}

int setAfterTest(int score, int setNumber, int total)
{
    return passes(score) && setNumber < total ? setNumber + 1 : setNumber;
}

bool isTestLine(int vocabularyIndex)
{
    return vocabularyIndex >= 1 && vocabularyIndex <= vocabularyCount;
}

} // namespace TestScoring
