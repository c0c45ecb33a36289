#include "results/resultrows.h"

#include "main/resultsfile.h"
#include "main/textrules.h"
#include "platform/codepage.h"

namespace ResultRows {

namespace {

const QChar tab(QLatin1Char('\t'));
const QChar blank(QLatin1Char(' '));

QString blanks(int count) { return QString(count, blank); }

} // namespace

QString testHeading() { return QStringLiteral(" Osa\tTulos\tPäivä\t\tAika"); }

QString examHeading() { return QStringLiteral(" Tulos\tPäivä\t\tAika"); }

int testIndent(int score)
{
    if (score < 10)
        return 7;
    return score < 100 ? 5 : 3;
}

int examIndent(int) { return 3; }

int scoreOf(QByteArrayView line, int slot)
{
    if (slot < 1 || slot > ResultsFile::slotCount || slot > line.size())
        return 0;
    return ResultsFile::scoreOf(line[slot - 1]);
}

QString stampOf(QByteArrayView line, int slot)
{
    const qsizetype start = ResultsFile::stampStart(slot) - 1;
    QString stamp;
    if (slot >= 1 && slot <= ResultsFile::slotCount && start < line.size())
        stamp = CodePage::decode(
            line.sliced(start, qMin<qsizetype>(ResultsFile::stampLength, line.size() - start)));
    return stamp.leftJustified(ResultsFile::stampLength, blank, true);
}

QString dayFirstDate(QStringView stamp)
{
    QString date;
    date.reserve(10);
    date.append(stamp.mid(3, 3)).append(stamp.mid(0, 3)).append(stamp.mid(6, 4));
    return date;
}

QString timeOf(QStringView stamp) { return stamp.mid(10, 5).toString(); }

QString testRow(QByteArrayView line, int slot)
{
    const int score = scoreOf(line, slot);
    const QString stamp = stampOf(line, slot);
    return blank + Number_Text(slot) + tab + blanks(testIndent(score)) + Number_Text(score) + tab +
           dayFirstDate(stamp) + tab + timeOf(stamp);
}

QString examRow(QByteArrayView line, int slot)
{
    const int score = scoreOf(line, slot);
    const QString stamp = stampOf(line, slot);
    return blank + blanks(examIndent(score)) + Number_Text(score) + tab + dayFirstDate(stamp) +
           tab + timeOf(stamp);
}

} // namespace ResultRows
