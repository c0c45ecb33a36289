#pragma once

#include "exam/examtable.h"
#include "main/drillclock.h"
#include "main/resultsfile.h"
#include "main/textarray.h"

// The study state of one run, held by the shared module and seen by every window. Numbers
// start at 0; text arrays have no elements until a routine dimensions them; element 0 of
// every array is never used.
struct Shared_State
{
    int Vocabulary_Index = 0; // current vocabulary, 1 to 15: the menu index
    int Set_Number = 0;       // current ten-word set, from 1
    int Set_Count = 0;        // whole ten-word sets of the current vocabulary

    TextArray Left_Words;         // the current set's left words at 1 to 10
    TextArray Right_Words;        // the current set's right words at 1 to 10
    TextArray Vocabulary_Lines;   // word lines of the current vocabulary, 1 to 1000
    TextArray Database_Lines;     // the whole vocabulary database, 1 to 10000
    ResultLineArray Result_Lines; // the results file, lines 1 to 30
    ExamTable Exam_Table;         // the exam's rows, dimensioned by the exam window

    Drill_Clock Clock;
};
