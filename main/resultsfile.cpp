#include "main/resultsfile.h"

#include "platform/codepage.h"

#include <QFile>
#include <QSaveFile>

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

namespace {

bool writeWhole(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace
} // namespace ResultsFile

void Load_Results_File(ByteTextArray &Result_Lines)
{
    using namespace ResultsFile;
    Result_Lines.dimension(lineCount);
    const QString path = QString::fromLatin1(fileName);
    if (QFile(path).size() < minimumFileSize)
        writeWhole(path, blankFile());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QList<QByteArray> lines = TextLines::split(file.readAll());
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
    return writeWhole(QString::fromLatin1(fileName), TextLines::join(lines));
}
