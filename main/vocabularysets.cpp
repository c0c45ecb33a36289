#include "main/vocabularysets.h"

#include "main/resultsfile.h"
#include "main/textrules.h"

#include <algorithm>

namespace VocabularySets {

QString headerKey(int vocabulary) { return QLatin1Char('#') + QString::number(vocabulary); }

int findHeader(const TextArray &Database_Lines, int vocabulary)
{
    const QString key = headerKey(vocabulary);
    const QList<QString> &lines = Database_Lines.items();
    for (int line = 1; line < lines.size(); ++line) {
        if (trimmedView(lines.at(line)) == key) // no copy: every line is looked at
            return line;
    }
    return 0;
}

int wordLineCount(const TextArray &Database_Lines, int header)
{
    const QList<QString> &lines = Database_Lines.items();
    if (header < 1 || header >= lines.size())
        return 0;
    int line = header + 1;
    while (line < lines.size() && !lines.at(line).startsWith(QLatin1Char('#')))
        ++line;
    return line - header - 1;
}

int setCount(int wordLines)
{
    return wordLines < 0 ? 0 : int((qint64(wordLines) + 1) / wordsPerSet);
}

void fillSet(const TextArray &Database_Lines, int header, int setNumber, TextArray &Left_Words,
             TextArray &Right_Words, TextArray &Vocabulary_Lines)
{
    const QList<QString> &lines = Database_Lines.items();
    const qint64 last = lines.size() - 1;
    if (header < 1 || header >= last || setNumber < 1)
        return;

    // Positions past the database or past Vocabulary_Lines receive nothing.
    const qint64 stored = std::min(
        {qint64(setNumber) * wordsPerSet, last - header, qint64(Vocabulary_Lines.upperBound())});
    for (qint64 m = 1; m <= stored; ++m)
        Vocabulary_Lines.set(int(m), lines.at(header + m));

    // Each set overwrites the one before, so only the last set that reaches line j sets its
    // right word, and the last one with a backslash there sets its left word.
    for (int j = 1; j <= wordsPerSet; ++j) {
        if (header + j > last)
            break;
        const qint64 lastSet = qMin(qint64(setNumber), (last - header - j) / wordsPerSet + 1);
        const auto lineOf = [&](qint64 set) -> const QString & {
            return lines.at(header + wordsPerSet * (set - 1) + j);
        };
        const QString &current = lineOf(lastSet);
        const qsizetype slash = current.indexOf(QLatin1Char('\\'));
        Right_Words.set(j, slash < 0 ? current : current.mid(slash + 1));
        for (qint64 set = lastSet; set >= 1; --set) {
            const QString &line = lineOf(set);
            const qsizetype at = line.indexOf(QLatin1Char('\\'));
            if (at >= 0) {
                Left_Words.set(j, line.left(at));
                break;
            }
        }
    }
}

int firstSetNotPassed(const QByteArray &testLine)
{
    const int slotsInLine = int(qMin<qsizetype>(testLine.size(), ResultsFile::slotCount));
    for (int k = 1; k <= slotsInLine; ++k) {
        if (!ResultsFile::isPassed(testLine.at(k - 1)))
            return k;
    }
    return 1;
}

} // namespace VocabularySets
