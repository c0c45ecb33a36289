#include "main/wordcolumns.h"

namespace WordColumns {

namespace {

constexpr int wordsPerColumn = 10;

QString columnText(const TextArray &words, QStringView beforeLast)
{
    QString text;
    for (int j = 1; j < wordsPerColumn; ++j)
        text += words.at(j) + QLatin1String("\r\n");
    text += beforeLast;
    text += words.at(wordsPerColumn);
    return text;
}

} // namespace

QString leftText(const TextArray &Left_Words) { return columnText(Left_Words, u" "); }

QString rightText(const TextArray &Right_Words) { return columnText(Right_Words, {}); }

} // namespace WordColumns
