// Builds the vocabulary database from its sources: one UTF-8 file a vocabulary, named
// "NN-name.txt" for vocabulary NN, each line "Finnish term\English term". The database holds
// the vocabularies in number order, each headed by "#" and its number, closed by a line "#",
// in Windows-1252 with CR LF line ends.
//
// Usage: makevocabularydb OUTPUT SOURCE...

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringEncoder>
#include <QTextStream>

#include <map>

// The line in Windows-1252, or an empty array and the reason. The code page's converter passes
// control characters through and maps U+0081, U+008D, U+008F, U+0090 and U+009D to bytes that
// are no characters of the code page, so those are refused before it sees them.
static QByteArray encodeLine(const QString &line, QString &fault)
{
    for (const QChar c : line) {
        const char16_t code = c.unicode();
        if (code < 0x20 || (code >= 0x7f && code <= 0x9f)) {
            fault = QStringLiteral("control character U+%1")
                        .arg(QString::number(code, 16).toUpper(), 4, QLatin1Char('0'));
            return {};
        }
    }
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(line);
    if (encoder.hasError()) {
        fault = QStringLiteral("a character outside Windows-1252");
        return {};
    }
    return bytes;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 3) {
        err << "usage: makevocabularydb OUTPUT SOURCE...\n";
        return 2;
    }

    static const QRegularExpression sourceName(QStringLiteral("^(\\d+)-[^.]+\\.txt$"));
    std::map<int, QString> sources;
    for (const QString &path : args.mid(2)) {
        const auto match = sourceName.match(QFileInfo(path).fileName());
        if (!match.hasMatch()) {
            err << path << ": not named NN-name.txt\n";
            return 1;
        }
        const int number = match.captured(1).toInt();
        if (!sources.emplace(number, path).second) {
            err << path << ": vocabulary " << number << " has two sources\n";
            return 1;
        }
    }

    QByteArray bytes;
    for (const auto &[number, path] : sources) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << path << ": " << file.errorString() << '\n';
            return 1;
        }
        bytes += '#' + QByteArray::number(number) + "\r\n";
        int lineNumber = 0;
        for (QString line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            ++lineNumber;
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (line.isEmpty())
                continue;
            QString fault;
            const QByteArray encoded = encodeLine(line, fault);
            if (!fault.isEmpty()) {
                err << path << ':' << lineNumber << ": " << fault << '\n';
                return 1;
            }
            bytes += encoded + "\r\n";
        }
    }
    bytes += "#\r\n";

    QSaveFile out(args.at(1));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        err << args.at(1) << ": " << out.errorString() << '\n';
        return 1;
    }
    return 0;
}
