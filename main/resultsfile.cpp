#include "main/resultsfile.h"

#include "platform/codepage.h"
#include "platform/wholefile.h"

#include <QFile>

namespace ResultsFile {

QByteArray stamp(const QDateTime &when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::asprintf("%02d-%02d-%04d%02d:%02d", d.month(), d.day(), d.year(), t.hour(),
                             t.minute())
        .toLatin1();
}

QByteArray blankFile()
{
    QByteArray content;
    content.reserve(lineCount * (lineLength + 2));
    for (int i = 0; i < lineCount; ++i) {
        content += QByteArray(lineLength, ' ');
        content += TextLines::crlf;
    }
    return content;
}

} // namespace ResultsFile

void Load_Results_File(ByteTextArray &Result_Lines)
{
    using namespace ResultsFile;
    Result_Lines.dimension(lineCount);
    const QString path = QString::fromLatin1(fileName);
    if (QFile(path).size() < minimumFileSize)
        WholeFile::write(path, blankFile());
    const QList<QByteArray> lines = TextLines::split(WholeFile::read(path), lineCount);
    for (int i = 1; i <= lineCount && i <= lines.size(); ++i)
        Result_Lines.set(i, lines.at(i - 1));
}

void Store_Result_Entry(ByteTextArray &Result_Lines, int line, int slot, int score,
                        const QDateTime &when)
{
    using namespace ResultsFile;
    if (!Result_Lines.contains(line) || line < 1 || slot < 1 || slot > slotCount)
        return;
    QByteArray &text = Result_Lines.ref(line);
    // A short line keeps its length: what would fall past its end is dropped.
    if (slot <= text.size())
        text[slot - 1] = scoreCharacter(score);
    const QByteArray when15 = stamp(when);
    const qsizetype start = stampStart(slot) - 1;
    for (qsizetype j = 0; j < stampLength && start + j < text.size(); ++j)
        text[start + j] = when15.at(j);
}

bool Save_Results_File(const ByteTextArray &Result_Lines)
{
    using namespace ResultsFile;
    QList<QByteArray> lines;
    lines.reserve(lineCount);
    for (int i = 1; i <= lineCount; ++i)
        lines.append(Result_Lines.at(i));
    return WholeFile::write(QString::fromLatin1(fileName), TextLines::join(lines));
}
