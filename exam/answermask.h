#pragma once

#include <QString>
#include <QStringView>

// What the exam shows of an answer before it is given: its length and its blanks. Each blank
// of the answer stays a blank and every other character, tabs included, becomes "?"; the
// answer is not trimmed first.
QString answerMask(QStringView answer);
