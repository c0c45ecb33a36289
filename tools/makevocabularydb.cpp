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

    QString text;
    for (const auto &[number, path] : sources) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << path << ": " << file.errorString() << '\n';
            return 1;
        }
        text += QLatin1Char('#') + QString::number(number) + QLatin1String("\r\n");
        for (QString line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (!line.isEmpty())
                text += line + QLatin1String("\r\n");
        }
    }
    text += QLatin1String("#\r\n");

    QStringEncoder encoder("windows-1252");
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        err << "a source holds a character outside Windows-1252\n";
        return 1;
    }
    QSaveFile out(args.at(1));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        err << args.at(1) << ": " << out.errorString() << '\n';
        return 1;
    }
    return 0;
}
