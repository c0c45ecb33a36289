#include "exam/examsection.h"

#include "main/textrules.h"
#include "main/vocabularydatabase.h"
#include "platform/codepage.h"
#include "platform/linereader.h"

namespace ExamSection {

namespace {

bool isSectionLine(QByteArrayView line) { return line.startsWith('#'); }

} // namespace

bool isHeader(QStringView line, int vocabulary)
{
    // "#" alone reads as 0, which is no vocabulary.
    return vocabulary >= 1 && line.startsWith(QLatin1Char('#')) &&
           Text_Value(line.mid(1)) == double(vocabulary);
}

Result read(QIODevice &file, int vocabulary, TextArray &Vocabulary_Lines)
{
    Result result;
    // The array is normally dimensioned by the set browser; without it nothing could be stored.
    if (!Vocabulary_Lines.isDimensioned())
        Vocabulary_Lines.dimension(maxStoredLines);

    LineReader reader(file);
    std::optional<QByteArrayView> line;
    while (!result.headerFound && (line = reader.next()))
        result.headerFound = isSectionLine(*line) && isHeader(CodePage::decode(*line), vocabulary);
    if (!result.headerFound)
        return result;

    while ((line = reader.next()) && !isSectionLine(*line)) {
        ++result.lineCount;
        if (result.lineCount <= maxStoredLines)
            Vocabulary_Lines.set(int(result.lineCount),
                                 VocabularyDatabase::cutWordLine(CodePage::decode(*line)));
    }
    return result;
}

} // namespace ExamSection
