#pragma once

#include "exam/examtable.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

// Scoring an exam and finding where it is recorded.
namespace ExamScoring {

// Right when the answers agree once their leading and trailing blanks are gone; case and
// accents count.
bool isRight(QStringView expected, QStringView typed);

// The number of right rows among rows 1 to 100.
int score(const ExamTable &table);

// "57/100".
QString scoreText(int score);

// A row as the right list shows it after scoring: the answer as typed, TAB, then the expected
// answer as drawn, in parentheses.
QString resultLine(const QString &typed, const QString &expected);

// True when each of the 100 slots holds a score from 1 to 100 and the line is long enough for
// their stamps. A line with no free slot that is not full is damaged: empty, cut short, or
// holding bytes that are no score.
bool isFullRecord(const QByteArray &examLine);

} // namespace ExamScoring
