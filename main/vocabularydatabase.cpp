#include "main/vocabularydatabase.h"

#include "platform/codepage.h"

#include <QFile>

namespace VocabularyDatabase {

namespace {

// The length of a line once it is cut before its second backslash. The code page has one
// byte a character, so the cut can be found in the bytes.
qsizetype keptLength(QByteArrayView line)
{
    if (line.startsWith('#'))
        return line.size();
    const qsizetype first = line.indexOf('\\');
    if (first < 0)
        return line.size();
    const qsizetype second = line.indexOf('\\', first + 1);
    return second < 0 ? line.size() : second;
}

} // namespace

QString cutWordLine(const QString &line)
{
    if (line.startsWith(QLatin1Char('#')))
        return line;
    const qsizetype first = line.indexOf(QLatin1Char('\\'));
    const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char('\\'), first + 1);
    return second < 0 ? line : line.left(second);
}

void parse(QByteArrayView content, TextArray &lines)
{
    // The database is read again at every activation of the main window and usually holds
    // what it held before: a line equal to the one in place is kept rather than built anew,
    // which spares the allocations that would otherwise dominate a reload.
    if (lines.upperBound() != maxLines)
        lines.dimension(maxLines);
    qsizetype start = 0;
    int k = 0;
    while (start < content.size() && k < maxLines) {
        qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? content.size() : end + 1;
        if (end < 0)
            end = content.size();
        if (end > start && content.at(end - 1) == '\r')
            --end;
        const QByteArrayView line = content.sliced(start, end - start);
        const QByteArrayView kept = line.first(keptLength(line));
        QString &slot = lines.ref(++k);
        if (!CodePage::equals(slot, kept))
            slot = CodePage::decode(kept);
        start = next;
    }
    for (++k; k <= maxLines; ++k)
        if (!lines.at(k).isEmpty())
            lines.ref(k).clear();
}

} // namespace VocabularyDatabase

void Load_Database(TextArray &Database_Lines)
{
    QFile file(QString::fromLatin1(VocabularyDatabase::fileName));
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0) {
        Database_Lines.dimension(VocabularyDatabase::maxLines);
        return;
    }
    // Mapped rather than copied: the file is read at every activation.
    if (const uchar *mapped = file.map(0, file.size())) {
        VocabularyDatabase::parse(
            QByteArrayView(reinterpret_cast<const char *>(mapped), file.size()), Database_Lines);
        file.unmap(const_cast<uchar *>(mapped));
        return;
    }
    VocabularyDatabase::parse(file.readAll(), Database_Lines);
}
