#include "exam/examdraw.h"

#include "exam/examsection.h"
#include "main/vocabularysets.h"

#include <algorithm>

namespace ExamDraw {

int range(int setCount)
{
    const qint64 numbers = qint64(VocabularySets::wordsPerSet) * std::max(setCount, 0);
    return int(std::min<qint64>(numbers, ExamSection::maxStoredLines));
}

void fillRow(ExamTable &table, int row, const QString &line)
{
    const qsizetype backslash = line.indexOf(QLatin1Char('\\'));
    table.set(ExamTable::Expected_Answer, row, backslash < 0 ? QString() : line.left(backslash));
    table.set(ExamTable::Prompt, row, backslash < 0 ? line : line.mid(backslash + 1));
}

DrawRecord draw(RandomGenerator &random, int range, const TextArray &Vocabulary_Lines,
                ExamTable &table)
{
    DrawRecord record;
    if (!canDraw(range))
        return record;
    random.seedFromClock();
    while (record.count() < rowCount) {
        const int number = random.number(range);
        if (record.add(number))
            fillRow(table, record.count(), Vocabulary_Lines.at(number));
    }
    return record;
}

} // namespace ExamDraw
