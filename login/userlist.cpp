#include "login/userlist.h"

#include "main/textrules.h"
#include "platform/codepage.h"
#include "platform/linereader.h"
#include "platform/regularfile.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFile>

namespace UserList {

QStringList load(const QString &path)
{
    QFile list;
    if (!RegularFile::open(list, path, QIODevice::ReadOnly | QIODevice::Unbuffered,
                           RegularFile::Create::WhenMissing) ||
        list.size() <= 1)
        return {};
    return names(list);
}

QStringList names(QIODevice &list)
{
    QStringList result;
    LineReader reader(list);
    while (const std::optional<QByteArrayView> line = reader.next())
        if (!line->isEmpty())
            result.append(CodePage::decode(*line));
    return result;
}

bool append(const QString &name, const QString &path)
{
    const QByteArray line = CodePage::encode(name) + TextLines::crlf;
    // The list as it stands under the lock, so that a name another copy of the program adds at
    // the same moment is kept.
    return WholeFile::update(path, [&line](const QByteArray &list) -> std::optional<QByteArray> {
        if (list.isEmpty() || list.endsWith('\n'))
            return list + line;
        return list + (list.endsWith('\r') ? QByteArray("\n") : QByteArray(TextLines::crlf)) + line;
    });
}

} // namespace UserList

namespace UserFile {

QString fileName(int number)
{
    return QStringLiteral("User") + Number_Text(number) + QStringLiteral(".txt");
}

QByteArray content()
{
    static const QByteArray line = QByteArray("\t\t\t\t\t") + TextLines::crlf;
    return line.repeated(lineCount);
}

bool write(int number, const QString &folder)
{
    const QString name = fileName(number);
    return WholeFile::write(folder.isEmpty() ? name : QDir(folder).filePath(name), content());
}

} // namespace UserFile
