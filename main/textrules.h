#pragma once

#include <QString>

// Small text rules that every window shares.

// A number as decimal text with one leading blank when it is not negative ("␣7", "-7").
QString Number_Text(qint64 number);

// The numeric value at the start of a text: leading blanks are skipped, then the longest
// prefix that reads as a decimal number (sign, digits, fraction) is taken; no such prefix
// gives 0.
double Text_Value(QStringView text);

// The value of Text_Value as a whole number, for counters, set numbers and scores.
int Text_Int(QStringView text);

// The text without its leading and trailing blanks (spaces only).
QString Trimmed(QStringView text);

// The same, as a view into the text: no copy is made.
QStringView trimmedView(QStringView text);

// The number of blanks before a centred title: the window's outer width in twips divided by
// the divisor, rounded to the nearest whole number, ties to even.
int centredTitleBlanks(int outerWidthTwips, int divisor);

// That many blanks followed by the title.
QString centredTitle(int outerWidthTwips, int divisor, const QString &title);
