#include "main/vocabularydatabase.h"

#include "platform/codepage.h"
#include "platform/linereader.h"
#include "platform/regularfile.h"

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

bool open(QFile &file)
{
    return RegularFile::open(file, QString::fromLatin1(fileName),
                             QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void read(QIODevice &file, TextArray &lines)
{
    // The database is read again at every activation of the main window and usually holds
    // what it held before: a line equal to the one in place is kept rather than built anew,
    // which spares the allocations that would otherwise dominate a reload.
    if (lines.upperBound() != maxLines)
        lines.dimension(maxLines);
    LineReader reader(file);
    int k = 0;
    while (k < maxLines) {
        const std::optional<QByteArrayView> line = reader.next();
        if (!line)
            break;
        const QByteArrayView kept = line->first(keptLength(*line));
        QString &slot = lines.ref(++k);
        if (!CodePage::equals(slot, kept))
            slot = CodePage::decode(kept);
    }
    for (++k; k <= maxLines; ++k)
        if (!lines.at(k).isEmpty())
            lines.ref(k).clear();
}

} // namespace VocabularyDatabase

void Load_Database(TextArray &Database_Lines)
{
    // Plain reads into memory of our own: the file may be rewritten while it is read, and a
    // mapping of it would then fault.
    QFile file;
    if (!VocabularyDatabase::open(file)) {
        Database_Lines.dimension(VocabularyDatabase::maxLines);
        return;
    }
    VocabularyDatabase::read(file, Database_Lines);
}
