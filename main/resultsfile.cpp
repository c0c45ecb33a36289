#include "main/resultsfile.h"

#include "platform/codepage.h"
#include "platform/wholefile.h"

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

int firstFreeSlot(const QByteArray &line)
{
    const qsizetype slotsInLine = qMin<qsizetype>(line.size(), slotCount);
    for (qsizetype k = 0; k < slotsInLine; ++k)
        if (line.at(k) == ' ')
            return int(k) + 1;
    return 0;
}

} // namespace ResultsFile

namespace {

using namespace ResultsFile;

// A short line keeps its length: what would fall past its end is dropped.
void put(QByteArray &text, const Record &record)
{
    if (record.slot <= text.size())
        text[record.slot - 1] = record.score;
    const qsizetype start = stampStart(record.slot) - 1;
    for (qsizetype j = 0; j < stampLength && start + j < text.size(); ++j)
        text[start + j] = record.stamp.at(j);
}

// The lines a save finds in the file: a file under 10 bytes counts as the blank file the load
// puts in its place; lines missing from a damaged file stay empty, as the load leaves them.
QList<QByteArray> linesOf(const QByteArray &content)
{
    QList<QByteArray> lines =
        TextLines::split(content.size() < minimumFileSize ? blankFile() : content, lineCount);
    lines.resize(lineCount);
    return lines;
}

// An exam whose slot another copy of the program filled meanwhile goes to the first free slot,
// where this copy would have put it had it seen the other exam.
void putIntoFile(QList<QByteArray> &lines, Record record)
{
    QByteArray &text = lines[record.line - 1];
    QByteArray mine = text;
    put(mine, record);
    const bool takenByAnother =
        mine != text && record.slot <= text.size() && text.at(record.slot - 1) != ' ';
    if (record.line > vocabularyCount && takenByAnother)
        if (const int free = firstFreeSlot(text))
            record.slot = free;
    put(text, record);
}

} // namespace

void Load_Results_File(ResultLineArray &Result_Lines)
{
    Result_Lines.dimension(lineCount);
    Result_Lines.unsaved.clear();
    QByteArray content = blankFile();
    WholeFile::update(QString::fromLatin1(fileName), [&content](const QByteArray &onDisk) {
        if (onDisk.size() >= minimumFileSize)
            content = onDisk;
        return content;
    });
    const QList<QByteArray> lines = TextLines::split(content, lineCount);
    for (int i = 1; i <= lineCount && i <= lines.size(); ++i)
        Result_Lines.set(i, lines.at(i - 1));
}

void Store_Result_Entry(ResultLineArray &Result_Lines, int line, int slot, int score,
                        const QDateTime &when)
{
    if (!Result_Lines.contains(line) || line < 1 || line > lineCount || slot < 1 ||
        slot > slotCount)
        return;
    const Record record{line, slot, scoreCharacter(score), stamp(when)};
    put(Result_Lines.ref(line), record);
    Result_Lines.unsaved.removeIf(
        [&record](const Record &r) { return r.line == record.line && r.slot == record.slot; });
    Result_Lines.unsaved.append(record);
}

bool Save_Results_File(ResultLineArray &Result_Lines)
{
    QList<Record> &unsaved = Result_Lines.unsaved;
    QList<QByteArray> file;
    bool saved = true;
    // One entry a write: a kill or a failure then touches that entry only, and those written
    // before it stay written. With nothing unsaved the file is still read (and a damaged one
    // rewritten as its 30 lines).
    do {
        const bool hasEntry = !unsaved.isEmpty();
        QList<QByteArray> lines;
        saved = WholeFile::update(QString::fromLatin1(fileName), [&](const QByteArray &content) {
            lines = linesOf(content);
            if (hasEntry)
                putIntoFile(lines, unsaved.first());
            return TextLines::join(lines);
        });
        if (!saved)
            break;
        file = lines;
        if (hasEntry)
            unsaved.removeFirst();
    } while (!unsaved.isEmpty());

    if (!file.isEmpty()) {
        for (int i = 1; i <= lineCount; ++i)
            Result_Lines.set(i, file.at(i - 1));
        for (const Record &record : std::as_const(unsaved))
            put(Result_Lines.ref(record.line), record);
    }
    return saved;
}
