#pragma once

#include <QString>

// The rules of the timed test: judging one answer, its points, the verdict and the advance to
// the next set. Scores are whole numbers from 0 to 100 in steps of 5.
namespace TestScoring {

inline constexpr int fastAnswerLimit = 40; // Reaction_Ticks up to this earns the full points
inline constexpr int fastPoints = 10;
inline constexpr int slowPoints = 5;

// The drill clock limits of the test's waits: the right answer after a wrong one shows until
// the 21st tick, the verdict until the 31st.
inline constexpr int correctionTicks = 20;
inline constexpr int verdictPauseTicks = 30;

// Only an answer identical to the left word is right: case counts, blanks count, nothing is
// trimmed. An empty left word is matched by an empty answer.
bool isRight(const QString &answer, const QString &leftWord);

// The points of a right answer by the reaction time taken at the answer's second key press.
int pointsFor(int reactionTicks);

// The set that is current after a test: the next one when the set is passed and is not the
// last, else the same one. The total is the set indicator's.
int setAfterTest(int score, int setNumber, int total);

} // namespace TestScoring
