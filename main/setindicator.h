#pragma once

#include <QString>
#include <QStringView>

// The set indicator, the caption of Form1's Label2 index 7: the current set number, "/" and
// the number of sets of the current vocabulary. It is the one carrier of the current set:
// whoever changes the set writes the wanted number into it and then calls Get_Vocabulary,
// which reads it back. Every reader takes the current number from the text before the first
// "/" and the number of sets from the text after it, each by Text_Value, so " 2" and "2" read
// alike.
namespace SetIndicator {

// The caption before any vocabulary is chosen.
inline constexpr char initialText[] = "1/0";

// The current set number: the text before the first "/" (the whole text when it has none).
int current(QStringView indicator);

// The number of sets: the text after the first "/" (0 when it has none).
int total(QStringView indicator);

// The text after the first "/", unchanged (empty when it has none).
QStringView afterSlash(QStringView indicator);

// The form Get_Vocabulary writes: each number with its leading blank ("␣1/␣10").
QString text(int current, int total);

// The form the paging buttons and the test write: plain decimal numbers ("2/10").
QString compactText(int current, int total);

// The form the vocabulary menu writes: the chosen set with its leading blank, "/", then the
// former indicator's text after its first "/" ("␣4/␣10").
QString withCurrent(int current, QStringView former);

} // namespace SetIndicator
