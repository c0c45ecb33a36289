// Checks the vocabulary database that the build generates, byte by byte and word by word, and
// the tool that generates it. The spelling checks run Voikko and Hunspell: both must be
// installed, a missing checker fails the test.

#include "platform/codepage.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int sectionCount = 15;
constexpr int minimumWordLines = 100;

enum Language
{
    Finnish,
    English
};

struct WordLine
{
    int section = 0;
    int index = 0;    // from 1 within the section: the source's line while it has no blank line
    int fileLine = 0; // from 1 within the database
    QByteArray bytes;
    QString finnish;
    QString english;

    QString place() const
    {
        return QStringLiteral("#%1 word line %2 (database line %3)")
            .arg(section)
            .arg(index)
            .arg(fileLine);
    }
    const QString &term(Language language) const { return language == Finnish ? finnish : english; }
};

// The words a spelling checker gets from a term. Finnish: split at blanks, without parentheses
// and commas; a word such as "-tilanne" of "läheltä piti -tilanne" goes as it stands, Voikko
// takes it. English: split at blanks, hyphens and slashes, punctuation stripped from both ends
// (so "citizens'" goes as "citizens", "Ohm's" whole).
QStringList wordsOf(Language language, const QString &term)
{
    QStringList words;
    if (language == Finnish) {
        for (QString word : term.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            word.remove(QLatin1Char('(')).remove(QLatin1Char(')')).remove(QLatin1Char(','));
            if (word.contains(QRegularExpression(QStringLiteral("[[:alnum:]]"))))
                words.append(word);
        }
        return words;
    }
    static const QRegularExpression separators(QStringLiteral("[ /-]"));
    for (QString word : term.split(separators, Qt::SkipEmptyParts)) {
        word.replace(QChar(0x2019), QLatin1Char('\''));
        qsizetype first = 0;
        qsizetype last = word.size();
        while (first < last && !word.at(first).isLetterOrNumber())
            ++first;
        while (last > first && !word.at(last - 1).isLetterOrNumber())
            --last;
        if (first < last)
            words.append(word.mid(first, last - first));
    }
    return words;
}

// The length of the well-formed UTF-8 sequence of two or more bytes at the position, or 0.
qsizetype utf8SequenceLength(const QByteArray &bytes, qsizetype at)
{
    const uchar lead = uchar(bytes.at(at));
    const qsizetype length = lead >= 0xc2 && lead <= 0xdf   ? 2
                             : lead >= 0xe0 && lead <= 0xef ? 3
                             : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                            : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    for (qsizetype i = at + 1; i < at + length; ++i)
        if ((uchar(bytes.at(i)) & 0xc0) != 0x80)
            return 0;
    return length;
}

// Lists the faults one a line (a failure message is cut short by the test library) and returns
// their count for the failure itself.
QString faultReport(const QStringList &faults)
{
    for (const QString &fault : faults)
        qWarning().noquote() << fault;
    return QStringLiteral("%1 fault(s), listed above").arg(faults.size());
}

// Runs one checker on the words and returns those it rejects. A nonsense word goes along, and
// the checker must reject it: a checker that accepts everything (no dictionary) is a failure.
QSet<QString> rejectedWords(Language language, const QStringList &words, QString &failure)
{
    const QString nonsense = QStringLiteral("xqzkvvq");
    const QStringList input = QStringList(words) << nonsense;
    const QString program =
        language == Finnish ? QStringLiteral("voikkospell") : QStringLiteral("hunspell");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(program, language == Finnish ? QStringList()
                                               : QStringList{"-d", "en_US", "-i", "UTF-8", "-l"});
    if (!process.waitForStarted(30000)) {
        failure = QStringLiteral("%1 could not be started (%2); it must be installed")
                      .arg(program, process.errorString());
        return {};
    }
    process.write((input.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        failure = QStringLiteral("%1 failed or did not finish: %2")
                      .arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
        return {};
    }
    const QStringList answers =
        QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    QSet<QString> rejected;
    if (language == Finnish) {
        // voikkospell answers each input line with "C: word" or "W: word", in order.
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QString answer = answers.value(i);
            if (answer.mid(3) != input.at(i) || (!answer.startsWith(QLatin1String("C: ")) &&
                                                 !answer.startsWith(QLatin1String("W: ")))) {
                failure = QStringLiteral("voikkospell answered \"%1\" for \"%2\"")
                              .arg(answer, input.at(i));
                return {};
            }
            if (answer.startsWith(QLatin1Char('W')))
                rejected.insert(input.at(i));
        }
    } else {
        // hunspell -l lists the rejected words, one a line.
        for (const QString &word : answers)
            if (!word.trimmed().isEmpty())
                rejected.insert(word.trimmed());
    }
    if (!rejected.remove(nonsense)) {
        failure = QStringLiteral("%1 accepted the nonsense word \"%2\": is its dictionary "
                                 "installed?")
                      .arg(program, nonsense);
        return {};
    }
    return rejected;
}

QStringList readAllowList(Language language, QString &failure)
{
    QFile file(QString::fromUtf8(language == Finnish ? ALLOW_LIST_FI : ALLOW_LIST_EN));
    if (!file.open(QIODevice::ReadOnly)) {
        failure = file.fileName() + QStringLiteral(": ") + file.errorString();
        return {};
    }
    QStringList entries = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (entries.constLast().isEmpty())
        entries.removeLast();
    return entries;
}

} // namespace

Q_DECLARE_METATYPE(Language)

class TestVocabularyData : public QObject
{
    Q_OBJECT

    QByteArray m_content;
    QList<QByteArray> m_lines;
    QList<WordLine> m_words; // every line that is not a "#" line, in file order
    QStringList m_places;    // where each line of the file is, for fault reports

    QString placeOfLine(int fileLine) const
    {
        return m_places.value(fileLine - 1, QStringLiteral("database line %1").arg(fileLine));
    }

private slots:
    void initTestCase()
    {
        QFile file(QString::fromUtf8(VOCABULARY_DATABASE));
        QVERIFY2(file.open(QIODevice::ReadOnly),
                 qPrintable(file.fileName() + QStringLiteral(": ") + file.errorString()));
        m_content = file.readAll();
        m_lines = TextLines::split(m_content); // line ends are checked byte by byte on their own
        int section = 0;
        int index = 0;
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            const QByteArray &line = m_lines.at(i);
            if (line.startsWith('#')) {
                section = line.mid(1).toInt();
                index = 0;
                m_places << QStringLiteral("database line %1").arg(i + 1);
                continue;
            }
            WordLine word;
            word.section = section;
            word.index = ++index;
            word.fileLine = int(i + 1);
            word.bytes = line;
            const QString text = CodePage::decode(line);
            const qsizetype backslash = text.indexOf(QLatin1Char('\\'));
            word.finnish = text.left(backslash);
            word.english = backslash < 0 ? QString() : text.mid(backslash + 1);
            m_places << word.place();
            m_words.append(word);
        }
    }

    void sectionsInOrderAndClosed()
    {
        QStringList faults;
        QList<int> counts(sectionCount + 1, 0);
        int section = 0;      // the section being walked; sectionCount + 1 once closed
        bool stopped = false; // a header out of place ends the walk
        for (qsizetype i = 0; i < m_lines.size() && !stopped; ++i) {
            const QByteArray &line = m_lines.at(i);
            const QString where = QStringLiteral("database line %1: ").arg(i + 1);
            if (section > sectionCount) {
                faults << where + QStringLiteral("a line after the closing \"#\"");
                stopped = true;
            } else if (line.startsWith('#')) {
                const QByteArray header =
                    section < sectionCount ? '#' + QByteArray::number(section + 1) : "#";
                if (line == header)
                    ++section;
                else
                    faults << where +
                                  QStringLiteral("\"%1\" where \"%2\" belongs")
                                      .arg(QString::fromLatin1(line), QString::fromLatin1(header));
                stopped = line != header;
            } else if (section == 0) {
                faults << where + QStringLiteral("a word line before \"#1\"");
            } else {
                ++counts[section];
            }
        }
        if (!stopped && section <= sectionCount)
            faults << QStringLiteral("the database ends before \"#%1\"")
                          .arg(section < sectionCount ? QString::number(section + 1) : QString());
        // The section the walk stopped in is not counted to its end.
        const int lastCounted = stopped ? section - 1 : qMin(section, sectionCount);
        for (int k = 1; k <= lastCounted; ++k)
            if (counts.at(k) < minimumWordLines || counts.at(k) % 10 != 0)
                faults << QStringLiteral("#%1 has %2 word lines; it needs %3 or more, in whole "
                                         "sets of ten")
                              .arg(k)
                              .arg(counts.at(k))
                              .arg(minimumWordLines);
        QVERIFY2(faults.isEmpty(), qPrintable(faultReport(faults)));
    }

    void bytesAreWindows1252WithCrLf()
    {
        QStringList faults;
        int line = 1;
        const qsizetype size = m_content.size();
        for (qsizetype i = 0; i < size; ++i) {
            const uchar byte = uchar(m_content.at(i));
            const QString where = placeOfLine(line) + QStringLiteral(": ");
            if (byte == '\r') {
                if (i + 1 == size || m_content.at(i + 1) != '\n')
                    faults << where + QStringLiteral("a CR without LF");
            } else if (byte == '\n') {
                if (i == 0 || m_content.at(i - 1) != '\r')
                    faults << where + QStringLiteral("an LF without CR");
                ++line;
            } else if (byte < 0x20 || byte == 0x7f) {
                faults << where + QString::asprintf("control byte 0x%02x", byte);
            } else if (byte == 0x81 || byte == 0x8d || byte == 0x8f || byte == 0x90 ||
                       byte == 0x9d) {
                faults << where +
                              QString::asprintf("byte 0x%02x is no Windows-1252 character", byte);
            } else if (const qsizetype length = utf8SequenceLength(m_content, i); length > 1) {
                faults << where + QStringLiteral("UTF-8 sequence \"%1\"")
                                      .arg(QString::fromUtf8(m_content.mid(i, length)));
                i += length - 1;
            }
        }
        if (!m_content.endsWith("\r\n"))
            faults << QStringLiteral("the last line does not end with CR LF");
        if (!m_content.contains('\xe4'))
            faults << QStringLiteral("no \"ä\" as the single byte 0xe4");
        if (!m_content.contains('\xf6'))
            faults << QStringLiteral("no \"ö\" as the single byte 0xf6");
        QVERIFY2(faults.isEmpty(), qPrintable(faultReport(faults)));
    }

    void wordLines_data()
    {
        QTest::addColumn<int>("section");
        for (int section = 1; section <= sectionCount; ++section)
            QTest::addRow("#%d", section) << section;
    }
    void wordLines()
    {
        QFETCH(int, section);
        QStringList faults;
        QHash<QString, int> finnishSeen;
        QHash<QString, int> englishSeen;
        for (const WordLine &word : std::as_const(m_words)) {
            if (word.section != section)
                continue;
            const QString where = word.place() + QStringLiteral(": ");
            if (word.bytes.count('\\') != 1) {
                faults << where + QStringLiteral("%1 backslashes in \"%2\"")
                                      .arg(word.bytes.count('\\'))
                                      .arg(CodePage::decode(word.bytes));
                continue;
            }
            for (const QString &term : {word.finnish, word.english}) {
                if (term.isEmpty())
                    faults << where + QStringLiteral("an empty word");
                else if (term.startsWith(QLatin1Char(' ')) || term.endsWith(QLatin1Char(' ')))
                    faults << where + QStringLiteral("blank at the edge of \"%1\"").arg(term);
                else if (term.contains(QLatin1String("  ")))
                    faults << where + QStringLiteral("double blank in \"%1\"").arg(term);
            }
            // Case does not make two answers different enough for a student.
            const QString finnish = word.finnish.toLower();
            const QString english = word.english.toLower();
            if (finnishSeen.contains(finnish))
                faults << where + QStringLiteral("Finnish \"%1\" again, first on word line %2")
                                      .arg(word.finnish)
                                      .arg(finnishSeen.value(finnish));
            else
                finnishSeen.insert(finnish, word.index);
            if (englishSeen.contains(english))
                faults << where + QStringLiteral("English \"%1\" again, first on word line %2")
                                      .arg(word.english)
                                      .arg(englishSeen.value(english));
            else
                englishSeen.insert(english, word.index);
        }
        QVERIFY2(!finnishSeen.isEmpty() || !faults.isEmpty(), "the section has no word lines");
        QVERIFY2(faults.isEmpty(), qPrintable(faultReport(faults)));
    }

    // The test and the exam take one answer, case and all: a prompt that expects another answer
    // elsewhere teaches a contradiction. A vocabulary teaches its own trade, so it shares only a
    // few of its answers with the others.
    void acrossVocabularies()
    {
        constexpr int sharedAnswerLimit = 10;
        QStringList faults;
        QHash<QString, const WordLine *> firstWithPrompt;
        QHash<QString, QSet<int>> sectionsWithAnswer;
        for (const WordLine &word : std::as_const(m_words)) {
            const WordLine *first = firstWithPrompt.value(word.english.toLower());
            if (!first)
                firstWithPrompt.insert(word.english.toLower(), &word);
            else if (first->finnish != word.finnish)
                faults << word.place() + QStringLiteral(": \"%1\" expects \"%2\", but \"%3\" on %4")
                                             .arg(word.english, word.finnish, first->finnish,
                                                  first->place());
            sectionsWithAnswer[word.finnish.toLower()].insert(word.section);
        }
        QList<QStringList> shared(sectionCount + 1);
        for (const WordLine &word : std::as_const(m_words))
            if (sectionsWithAnswer.value(word.finnish.toLower()).size() > 1)
                shared[word.section] << word.finnish;
        for (int section = 1; section <= sectionCount; ++section)
            if (shared.at(section).size() > sharedAnswerLimit)
                faults << QStringLiteral("#%1 shares %2 answers with other vocabularies, more "
                                         "than %3: %4")
                              .arg(section)
                              .arg(shared.at(section).size())
                              .arg(sharedAnswerLimit)
                              .arg(shared.at(section).join(QStringLiteral(", ")));
        QVERIFY2(faults.isEmpty(), qPrintable(faultReport(faults)));
    }

    // Each allow-list entry is checked by hand, so the lists stay short and tidy: sorted, one
    // word a line, each used by the database.
    void spellingAndAllowLists_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("Finnish by voikkospell, allow-fi.txt") << Finnish;
        QTest::newRow("English by hunspell en_US, allow-en.txt") << English;
    }
    void spellingAndAllowLists()
    {
        QFETCH(Language, language);
        QString failure;
        const QStringList allowList = readAllowList(language, failure);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        QStringList words; // each once, in the order of the database
        QSet<QString> seen;
        for (const WordLine &line : std::as_const(m_words))
            for (const QString &word : wordsOf(language, line.term(language)))
                if (!seen.contains(word)) {
                    seen.insert(word);
                    words << word;
                }

        QStringList faults;
        for (qsizetype i = 0; i < allowList.size(); ++i) {
            const QString &entry = allowList.at(i);
            const QString where = QStringLiteral("allow-list line %1: ").arg(i + 1);
            if (entry.isEmpty() || entry.contains(QLatin1Char(' ')) ||
                entry.contains(QLatin1Char('\r')))
                faults << where + QStringLiteral("\"%1\" is not one word").arg(entry);
            else if (!seen.contains(entry))
                faults << where + QStringLiteral("\"%1\" is used by no term").arg(entry);
            if (i > 0 && !(allowList.at(i - 1) < entry))
                faults << where + QStringLiteral("\"%1\" is out of order or repeated").arg(entry);
        }

        const QSet<QString> allowed(allowList.cbegin(), allowList.cend());
        const QSet<QString> rejected = rejectedWords(language, words, failure);
        if (!failure.isEmpty())
            faults << failure;
        for (const WordLine &line : std::as_const(m_words))
            for (const QString &word : wordsOf(language, line.term(language)))
                if (rejected.contains(word) && !allowed.contains(word))
                    faults << line.place() + QStringLiteral(": \"%1\" in \"%2\" is not accepted")
                                                 .arg(word, line.term(language));
        // Hunspell splits words by rules of its own; a rejected piece of one must still show.
        for (const QString &word : rejected)
            if (!seen.contains(word) && !allowed.contains(word))
                faults
                    << QStringLiteral("\"%1\", part of a longer word, is not accepted").arg(word);
        QVERIFY2(faults.isEmpty(), qPrintable(faultReport(faults)));
    }

    // A refused build (no database given) keeps the database it had.
    void generator_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QByteArrayList>("contents");
        QTest::addColumn<QByteArray>("database");
        // UTF-8 sources with LF, CR LF, a blank line and no line end after the last line; 9 goes
        // before 10 although its name sorts after.
        QTest::newRow("sections in number order, Windows-1252 with CR LF")
            << QStringList{"10-b.txt", "9-a.txt"}
            << QByteArrayList{"s\xc3\xa4hk\xc3\xb6\\electricity\r\n\r\nyksi kaksi\\one",
                              "\xe2\x82\xac-merkki\\euro sign\nt\xc3\xb6\\work\n"}
            << QByteArray("#9\r\n\x80-merkki\\euro sign\r\nt\xf6\\work\r\n"
                          "#10\r\ns\xe4hk\xf6\\electricity\r\nyksi kaksi\\one\r\n#\r\n");
        const auto refused = [](const char *tag, const QByteArray &content,
                                const QString &name = QStringLiteral("01-a.txt")) {
            QTest::newRow(tag) << QStringList{name} << QByteArrayList{content} << QByteArray();
        };
        refused("character outside the code page", "\xc5\x91\\o\n");
        refused("undefined code page position", "a\\\xc2\x81\n");
        refused("tab", "a\t\\b\n");
        refused("bare CR inside a line", "a\rb\\c\n");
        refused("invalid UTF-8", "\xe4\\a\n");
        refused("source not named NN-name.txt", "a\\b\n", QStringLiteral("sahko.txt"));
        QTest::newRow("two sources of one vocabulary")
            << QStringList{"01-a.txt", "1-b.txt"} << QByteArrayList{"a\\b\n", "c\\d\n"}
            << QByteArray();
    }
    void generator()
    {
        QFETCH(QStringList, names);
        QFETCH(QByteArrayList, contents);
        QFETCH(QByteArray, database);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const auto write = [&dir](const QString &name, const QByteArray &content) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
        };
        const QByteArray old("#1\r\nold\\old\r\n#\r\n");
        const QString output = dir.filePath(QStringLiteral("out.db"));
        QVERIFY(write(QStringLiteral("out.db"), old));
        QStringList arguments{output};
        for (qsizetype i = 0; i < names.size(); ++i) {
            QVERIFY(write(names.at(i), contents.at(i)));
            arguments << dir.filePath(names.at(i));
        }
        QProcess tool;
        tool.start(QString::fromUtf8(MAKEVOCABULARYDB), arguments);
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), database.isEmpty() ? 1 : 0);
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), database.isEmpty() ? old : database);
    }
};

QTEST_GUILESS_MAIN(TestVocabularyData)
#include "tst_vocabularydata.moc"
