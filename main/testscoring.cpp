#include "main/testscoring.h"

#include "main/passmark.h"

namespace TestScoring {

bool isRight(const QString &answer, const QString &leftWord) { return answer == leftWord; }

int pointsFor(int reactionTicks)
{
    return reactionTicks > fastAnswerLimit ? slowPoints : fastPoints;
}

int setAfterTest(int score, int setNumber, int total)
{
    return PassMark::passes(score) && setNumber < total ? setNumber + 1 : setNumber;
}

} // namespace TestScoring
