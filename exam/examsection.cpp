#include "exam/examsection.h"

#include "main/textrules.h"
#include "main/vocabularydatabase.h"
#include "platform/codepage.h"

namespace ExamSection {

namespace {

bool isSectionLine(const QByteArray &line) { return line.startsWith('#'); }

} // namespace

bool isHeader(QStringView line, int vocabulary)
{
    // "#" alone reads as 0, which is no vocabulary.
    return vocabulary >= 1 && line.startsWith(QLatin1Char('#')) &&
           Text_Value(line.mid(1)) == double(vocabulary);
}

Result read(const QByteArray &content, int vocabulary, TextArray &Vocabulary_Lines)
{
    Result result;
    // The array is normally dimensioned by the set browser; without it nothing could be stored.
    if (!Vocabulary_Lines.isDimensioned())
        Vocabulary_Lines.dimension(maxStoredLines);

    const QList<QByteArray> lines = TextLines::split(content);
    qsizetype i = 0;
    for (; i < lines.size() && !result.headerFound; ++i)
        result.headerFound =
            isSectionLine(lines.at(i)) && isHeader(CodePage::decode(lines.at(i)), vocabulary);
    if (!result.headerFound)
        return result;

    for (; i < lines.size() && !isSectionLine(lines.at(i)); ++i) {
        ++result.lineCount;
        if (result.lineCount <= maxStoredLines)
            Vocabulary_Lines.set(result.lineCount,
                                 VocabularyDatabase::cutWordLine(CodePage::decode(lines.at(i))));
    }
    return result;
}

} // namespace ExamSection
