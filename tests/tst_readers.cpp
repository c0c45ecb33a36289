#include "exam/examsection.h"
#include "login/userlist.h"
#include "main/resultsfile.h"
#include "main/vocabularydatabase.h"
#include "platform/codepage.h"
#include "platform/linereader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// What each reader of the program's files makes of the same bytes: the database loader, the
// exam's section reader, the results file and the user list.
namespace {

const QString database = QString::fromLatin1(VocabularyDatabase::fileName);
const QString results = QString::fromLatin1(ResultsFile::fileName);
const QString users = QString::fromLatin1(UserList::fileName);

void writeFile(const QString &name, const QByteArray &content)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

const QStringList readers{"database", "exam section", "results file", "user list"};

// The lines a reader takes from its file in the current folder, without the empty ones after
// the last line read; the exam reads section 1.
QStringList readBy(const QString &reader)
{
    QStringList lines;
    if (reader == QLatin1String("database") || reader == QLatin1String("exam section")) {
        TextArray read;
        qint64 count = -1;
        if (reader == QLatin1String("database")) {
            Load_Database(read);
        } else if (QFile file(database); file.open(QIODevice::ReadOnly)) {
            count = ExamSection::read(file, 1, read).lineCount;
        }
        lines = read.items().mid(1, count);
    } else if (reader == QLatin1String("results file")) {
        ResultLineArray read;
        Load_Results_File(read);
        for (const QByteArray &line : read.items().mid(1))
            lines << CodePage::decode(line);
    } else {
        lines = UserList::load(users);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The file as another program rewrites it, shorter, right after the reader's first read.
class RewrittenFile : public QFile
{
public:
    using QFile::QFile;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 got = QFile::readData(data, maxSize);
        if (std::exchange(m_first, false))
            writeFile(fileName(), "#1\r\nuusi\\new\r\n");
        return got;
    }

private:
    bool m_first = true;
};

// How far, in MiB up to 255, the peak resident memory of a child process rises while it runs
// the reader; -1 when the child fails. Resident memory, not address space: the address
// sanitizer reserves terabytes of that.
int peakRise(const std::function<void()> &reader)
{
    const pid_t child = fork();
    if (child == 0) {
        rusage before{};
        rusage after{};
        getrusage(RUSAGE_SELF, &before);
        reader();
        getrusage(RUSAGE_SELF, &after);
        _exit(int(qBound(0L, (after.ru_maxrss - before.ru_maxrss) / 1024, 255L)));
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)
               ? WEXITSTATUS(status)
               : -1;
}

} // namespace

class TestReaders : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(m_dir.path())); }

    void lineEndsAgree_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QByteArray>>("lines");
        const QByteArray longLine(LineReader::blockSize + 100, 'x');
        const QByteArray toBlockEnd(LineReader::blockSize - 5, 'y');
        for (const QString &reader : readers) {
            const auto row = [&](const char *name, const QByteArray &content,
                                 const QList<QByteArray> &lines) {
                QTest::addRow("%s: %s", qPrintable(reader), name) << reader << content << lines;
            };
            row("final bare CR", "#1\r\nAnna\r\nBen\r", {"#1", "Anna", "Ben"});
            row("final CR after the last line end", "#1\r\nAnna\r\n\r", {"#1", "Anna"});
            row("two final CRs lose one", "#1\r\nAnna\r\r", {"#1", "Anna\r"});
            row("final CR of a line longer than a block", "#1\n" + longLine + "\r",
                {"#1", longLine});
            row("CR LF across two blocks", "#1\r\n" + toBlockEnd + "\r\nBen\r",
                {"#1", toBlockEnd, "Ben"});
        }
    }
    void lineEndsAgree()
    {
        QFETCH(QString, reader);
        QFETCH(QByteArray, content);
        QFETCH(QList<QByteArray>, lines);
        for (const QString &name : {database, results, users})
            writeFile(name, content);
        QStringList texts;
        for (const QByteArray &line : lines.mid(reader == QLatin1String("exam section") ? 1 : 0))
            texts << CodePage::decode(reader == QLatin1String("results file")
                                          ? line.left(ResultsFile::maxLineLength)
                                          : line);
        QCOMPARE(readBy(reader), texts);
    }

    void databaseRewrittenWhileRead()
    {
        QStringList old;
        for (int k = 1; k <= 10000; ++k)
            old << QStringLiteral("sana%1\\word%1").arg(k);
        writeFile(database, old.join(QLatin1String("\r\n")).toLatin1());

        RewrittenFile file(database);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        TextArray lines;
        VocabularyDatabase::read(file, lines);

        // The lines read before the rewrite, the last perhaps cut short, and nothing after.
        const int read = int(lines.items().indexOf(QString(), 1)) - 1;
        QVERIFY(read > 1 && read < 10000);
        QCOMPARE(lines.items().mid(1, read - 1), old.mid(0, read - 1));
        QVERIFY(old.at(read - 1).startsWith(lines.at(read)));
        QCOMPARE(lines.items().mid(read + 1).count(QString()), qsizetype(10000 - read));
    }

    // 30 lines and then ten million empty ones (a list of all the lines would take 240 MB), or
    // one line and then 64 GiB without a line end, which a sparse file has at no cost. The
    // results file is saved too, which writes 30 whole lines back, the giant one cut at 64 KiB.
    void memoryOnHugeFiles_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<bool>("sparse");
        for (const QString &reader : readers) {
            QTest::addRow("%s: many empty lines", qPrintable(reader)) << reader << false;
            QTest::addRow("%s: 64 GiB without a line end", qPrintable(reader)) << reader << true;
        }
    }
    void memoryOnHugeFiles()
    {
        QFETCH(QString, reader);
        QFETCH(bool, sparse);
        QByteArray head = "#1\r\n";
        for (int k = 2; k <= 30 && !sparse; ++k)
            head += "sana" + QByteArray::number(k) + "\\word\r\n";
        for (const QString &name : {database, results, users}) {
            writeFile(name, head + QByteArray(sparse ? 0 : 10'000'000, '\n'));
            QFile file(name);
            QVERIFY(!sparse || (file.open(QIODevice::ReadWrite) && file.resize(qint64(64) << 30)));
        }
        const bool saved = reader == QLatin1String("results file");
        const int rise = peakRise([&] {
            readBy(reader);
            ResultLineArray lines;
            if (saved)
                Load_Results_File(lines), Save_Results_File(lines);
        });
        QVERIFY2(rise >= 0 && rise < 36, qPrintable(QString::number(rise) + QLatin1String(" MiB")));
        if (saved)
            QCOMPARE(QFileInfo(results).size(),
                     ResultsFile::lineCount * (ResultsFile::lineLength + 2) +
                         (sparse ? ResultsFile::maxLineLength - ResultsFile::lineLength : 0));
    }
};

QTEST_GUILESS_MAIN(TestReaders)
#include "tst_readers.moc"
