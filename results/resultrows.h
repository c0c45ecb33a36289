#pragma once

#include <QByteArrayView>
#include <QString>

// The rows of the results window's two tables, read from one results line (a test record or
// an exam record). Fields are separated by TAB so that the list lines them up at its tab
// stops; the blanks before a score keep the scores in a column of their own.
namespace ResultRows {

QString testHeading();
QString examHeading();

// Blanks before the score in each table. Scores of one and two digits follow the window's
// design; a digit is as wide as two blanks in the list's font, so 100 takes two blanks less
// than a two-digit score in the test table (right edges stay in line) and the same as the
// others in the exam table (left edges stay in line).
int testIndent(int score);
int examIndent(int score);

// The score of a slot (1 to 100): the score character's byte value minus 32. A slot past
// the end of a damaged, short line shows 0.
int scoreOf(QByteArrayView line, int slot);

// "MM-DD-YYYYhh:mm" of a slot; blanks where a short line has no stamp.
QString stampOf(QByteArrayView line, int slot);

// The date of a stamp day first: "12-24-2023" becomes "24-12-2023".
QString dayFirstDate(QStringView stamp);
QString timeOf(QStringView stamp);

// " ␣3", TAB, indent, " 85", TAB, date, TAB, time.
QString testRow(QByteArrayView line, int slot);
// " ", indent, " 85", TAB, date, TAB, time: an exam row has no slot number.
QString examRow(QByteArrayView line, int slot);

} // namespace ResultRows
