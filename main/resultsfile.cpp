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

char scoreAt(const QByteArray &line, int slot)
{
    return slot <= line.size() ? line.at(slot - 1) : ' ';
}

int firstFreeSlot(const QByteArray &line)
{
    for (int k = 1; k <= slotCount; ++k)
        if (scoreAt(line, k) == ' ')
            return k;
    return 0;
}

} // namespace ResultsFile

namespace {

using namespace ResultsFile;

// A line too short for the record (an editor that strips trailing blanks makes one) is first
// lengthened with blanks to its full length, so that the record lands whole.
void put(QByteArray &text, const Record &record)
{
    const qsizetype start = stampStart(record.slot) - 1;
    if (text.size() < start + stampLength)
        text.append(lineLength - text.size(), ' ');
    text[record.slot - 1] = record.score;
    text.replace(start, stampLength, record.stamp);
}

// The lines of the file's first bytes, each cut at its greatest length: a file under 10 bytes
// counts as the blank file the load puts in its place; lines missing from a damaged file stay
// empty, as the load leaves them.
QList<QByteArray> linesOf(const QByteArray &head)
{
    QList<QByteArray> lines =
        TextLines::split(head.size() < minimumFileSize ? blankFile() : head, lineCount);
    lines.resize(lineCount);
    for (QByteArray &line : lines)
        if (line.size() > maxLineLength)
            line.truncate(maxLineLength);
    return lines;
}

// The file's lines as a save writes them: a line cut short (an editor that strips trailing
// blanks makes many) gets its missing blanks back, all at once. Written in place, that moves
// every line after it, which a kill during the write can tear; making every line whole in one
// save leaves the saves after it writing records where they stand.
QList<QByteArray> wholeLinesOf(const QByteArray &head)
{
    QList<QByteArray> lines = linesOf(head);
    for (QByteArray &line : lines)
        if (line.size() < lineLength)
            line.append(lineLength - line.size(), ' ');
    return lines;
}

// Puts the record into the file's line. An exam goes where this copy found a free slot unless
// another copy stored an exam there meanwhile, as this copy can tell from what it knew of the
// slot (two identical exams are two exams); it then goes to the first free slot, where this
// copy would have put it had it seen the other exam. False when no slot is left for it.
bool putIntoFile(QList<QByteArray> &lines, Record record)
{
    QByteArray &text = lines[record.line - 1];
    const bool takenByAnother = record.knewFree && scoreAt(text, record.slot) != ' ';
    if (record.line > vocabularyCount && takenByAnother) {
        record.slot = firstFreeSlot(text);
        if (record.slot == 0)
            return false;
    }
    put(text, record);
    return true;
}

} // namespace

void Load_Results_File(ResultLineArray &Result_Lines)
{
    Result_Lines.dimension(lineCount);
    Result_Lines.unsaved.clear();
    Result_Lines.refused.clear();
    // A file that cannot be read, or is written blank here, gives the blank file's lines.
    QByteArray head;
    WholeFile::update(
        QString::fromLatin1(fileName),
        [&head](const QByteArray &onDisk) -> std::optional<QByteArray> {
            head = onDisk;
            if (onDisk.size() < minimumFileSize)
                return blankFile();
            return std::nullopt; // a damaged file is never repaired here
        },
        readLimit);
    const QList<QByteArray> lines = linesOf(head);
    for (int i = 1; i <= lineCount; ++i)
        Result_Lines.set(i, lines.at(i - 1));
}

void Store_Result_Entry(ResultLineArray &Result_Lines, int line, int slot, int score,
                        const QDateTime &when)
{
    if (!Result_Lines.contains(line) || line < 1 || line > lineCount || slot < 1 ||
        slot > slotCount)
        return;
    QByteArray &text = Result_Lines.ref(line);
    const Record record{line, slot, scoreCharacter(score), stamp(when), scoreAt(text, slot) == ' '};
    put(text, record);
    Result_Lines.unsaved.removeIf(
        [&record](const Record &r) { return r.line == record.line && r.slot == record.slot; });
    Result_Lines.unsaved.append(record);
}

bool Save_Results_File(ResultLineArray &Result_Lines)
{
    QList<Record> &unsaved = Result_Lines.unsaved;
    Result_Lines.refused.clear();
    QList<QByteArray> file;
    bool saved = true;
    // One entry a write: a kill or a failure then touches that entry only, and those written
    // before it stay written. With nothing unsaved the file is still read (and a damaged one
    // rewritten as its 30 whole lines).
    do {
        const bool hasEntry = !unsaved.isEmpty();
        bool refused = false;
        QList<QByteArray> lines;
        const bool written = WholeFile::update(
            QString::fromLatin1(fileName),
            [&](const QByteArray &head) -> std::optional<QByteArray> {
                lines = wholeLinesOf(head);
                refused = hasEntry && !putIntoFile(lines, unsaved.first());
                return TextLines::join(lines);
            },
            readLimit);
        if (!written) {
            saved = false;
            break;
        }
        file = lines;
        if (refused) {
            Result_Lines.refused.append(unsaved.first());
            saved = false;
        }
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
