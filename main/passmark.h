#pragma once

#include <QString>

// A score of 80 or more passes: the test's set counts as passed, and the test and the exam
// both praise it.
namespace PassMark {

inline constexpr int score = 80;

inline bool passes(int points) { return points >= score; }

// "Onneksi olkoon" from the pass mark on, "Harjoittele vielä" below it.
inline QString verdict(int points)
{
    return passes(points) ? QStringLiteral("Onneksi olkoon") : QStringLiteral("Harjoittele vielä");
}

} // namespace PassMark
