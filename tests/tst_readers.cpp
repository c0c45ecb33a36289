#include "exam/examsection.h"
#include "login/userlist.h"
#include "main/resultsfile.h"
#include "main/vocabularydatabase.h"
#include "platform/codepage.h"
#include "platform/linereader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// What every reader of the program's files makes of the same bytes: the database loader, the
// exam's section reader, the results file and the user list.
namespace {

const QString databaseName = QString::fromLatin1(VocabularyDatabase::fileName);
const QString resultsName = QString::fromLatin1(ResultsFile::fileName);
const QString usersName = QString::fromLatin1(UserList::fileName);

void writeFile(const QString &name, const QByteArray &content)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QStringList decoded(const QList<QByteArray> &lines)
{
    QStringList texts;
    for (const QByteArray &line : lines)
        texts << CodePage::decode(line);
    return texts;
}

// The database as another program rewrites it in place, shorter, right after the reader's first
// read: the reader's next read starts past the new end.
class RewrittenFile : public QFile
{
public:
    RewrittenFile(const QString &name, const QByteArray &newContent)
        : QFile(name), m_newContent(newContent)
    {
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 got = QFile::readData(data, maxSize);
        if (!m_rewritten) {
            m_rewritten = true;
            writeFile(fileName(), m_newContent);
        }
        return got;
    }

private:
    QByteArray m_newContent;
    bool m_rewritten = false;
};

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

// How far the peak resident memory of a child process running the reader rose above what the
// child started with. A child, so that the peak is the reader's own, and memory rather than
// address space, which the address sanitizer reserves by the terabyte.
qint64 peakRise(const std::function<void()> &reader)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const qint64 before = residentBytes();
        reader();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const qint64 rise = before < 0 ? -1 : qint64(usage.ru_maxrss) * 1024 - before;
        const bool written = write(pipeEnds[1], &rise, sizeof rise) == sizeof rise;
        _exit(written ? 0 : 1);
    }
    close(pipeEnds[1]);
    qint64 rise = -1;
    if (child < 0 || read(pipeEnds[0], &rise, sizeof rise) != sizeof rise)
        rise = -1;
    close(pipeEnds[0]);
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    return rise;
}

} // namespace

class TestReaders : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;

private slots:
    void init()
    {
        m_previousDir = QDir::currentPath();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_dir->path()));
    }
    void cleanup()
    {
        QDir::setCurrent(m_previousDir);
        m_dir.reset();
    }

    // The lines each reader sees; every content is at least 10 bytes, so the results file is
    // read as it stands.
    void lineEndsAgree_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QByteArray>>("lines");
        const QByteArray longLine(LineReader::blockSize + 100, 'x');
        const QByteArray toBlockEnd(LineReader::blockSize - 1, 'y');
        QTest::newRow("final bare CR")
            << QByteArray("Anna\r\nBen\r") << QList<QByteArray>{"Anna", "Ben"};
        QTest::newRow("final CR after the last line end")
            << QByteArray("Anna\r\nBen\r\n\r") << QList<QByteArray>{"Anna", "Ben", ""};
        QTest::newRow("two final CRs lose one")
            << QByteArray("Anna\r\nBen\r\r") << QList<QByteArray>{"Anna", "Ben\r"};
        QTest::newRow("CR inside a line stays")
            << QByteArray("Anna\rBen\r\n") << QList<QByteArray>{"Anna\rBen"};
        QTest::newRow("final CR of a line longer than a block")
            << QByteArray("Anna\n" + longLine + "\r") << QList<QByteArray>{"Anna", longLine};
        QTest::newRow("CR LF across two blocks")
            << QByteArray(toBlockEnd + "\r\nBen\r") << QList<QByteArray>{toBlockEnd, "Ben"};
    }
    void lineEndsAgree()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<QByteArray>, lines);
        const QStringList texts = decoded(lines);

        writeFile(databaseName, content);
        TextArray database;
        Load_Database(database);
        QCOMPARE(database.items().mid(1, texts.size()), texts);
        QCOMPARE(database.at(int(texts.size()) + 1), QString());

        writeFile(databaseName, "#1\r\n" + content);
        TextArray section;
        QFile file(databaseName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(ExamSection::read(file, 1, section).lineCount, qint64(texts.size()));
        QCOMPARE(section.items().mid(1, texts.size()), texts);

        writeFile(resultsName, content);
        ByteTextArray results;
        Load_Results_File(results);
        QCOMPARE(results.items().mid(1, lines.size()), lines);
        QCOMPARE(results.at(int(lines.size()) + 1), QByteArray());

        writeFile(usersName, content);
        QStringList names = texts;
        names.removeAll(QString());
        QCOMPARE(UserList::load(usersName), names);
    }

    void databaseRewrittenWhileRead()
    {
        QByteArray old;
        QList<QByteArray> oldLines;
        for (int k = 1; k <= 10000; ++k) {
            oldLines << "sana" + QByteArray::number(k) + "\\word" + QByteArray::number(k);
            old += oldLines.last() + TextLines::crlf;
        }
        QVERIFY(old.size() > 2 * LineReader::blockSize);
        writeFile(databaseName, old);

        RewrittenFile file(databaseName, "#1\r\nuusi\\new\r\n");
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        TextArray lines;
        VocabularyDatabase::read(file, lines);

        // What was read before the rewrite, the last line perhaps cut short; nothing after.
        int read = 0;
        while (read < 10000 && !lines.at(read + 1).isEmpty())
            ++read;
        QVERIFY(read > 0 && read < 10000);
        for (int k = 1; k < read; ++k)
            QCOMPARE(lines.at(k), QString::fromLatin1(oldLines.at(k - 1)));
        QVERIFY(QString::fromLatin1(oldLines.at(read - 1)).startsWith(lines.at(read)));
        for (int k = read + 1; k <= 10000; ++k)
            QVERIFY(lines.at(k).isEmpty());
    }

    // A file of 30 good lines and ten million empty ones: the readers need at most 30 lines,
    // one section or the names, and their memory must not grow with the empty lines.
    void memoryOnManyEmptyLines_data()
    {
        QTest::addColumn<QString>("reader");
        for (const char *reader : {"database", "exam section", "results file", "user list"})
            QTest::newRow(reader) << QString::fromLatin1(reader);
    }
    void memoryOnManyEmptyLines()
    {
        QFETCH(QString, reader);
        const QString name = reader == QLatin1String("results file") ? resultsName
                             : reader == QLatin1String("user list")  ? usersName
                                                                     : databaseName;
        constexpr qint64 emptyLines = 10'000'000;
        {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QByteArray head = "#1\r\n";
            for (int k = 2; k <= 30; ++k)
                head += "sana" + QByteArray::number(k) + "\\word\r\n";
            file.write(head);
            const QByteArray block(1'000'000, '\n');
            for (qint64 written = 0; written < emptyLines; written += block.size())
                QCOMPARE(file.write(block), block.size());
        }

        const qint64 rise = peakRise([&] {
            if (reader == QLatin1String("database")) {
                TextArray lines;
                Load_Database(lines);
            } else if (reader == QLatin1String("exam section")) {
                TextArray lines;
                QFile file(name);
                if (file.open(QIODevice::ReadOnly))
                    ExamSection::read(file, 1, lines);
            } else if (reader == QLatin1String("results file")) {
                ByteTextArray lines;
                Load_Results_File(lines);
            } else {
                UserList::load(name);
            }
        });
        // A list of ten million lines alone would take 240 MB.
        const qint64 bound = 2 * emptyLines + 16'000'000;
        QVERIFY2(rise >= 0 && rise < bound, qPrintable(QStringLiteral("%1 bytes").arg(rise)));
    }
};

QTEST_GUILESS_MAIN(TestReaders)
#include "tst_readers.moc"
