#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The program's text files are Windows-1252 with CR LF line ends.
namespace CodePage {

QString decode(QByteArrayView bytes);
QByteArray encode(QStringView text);

// True when the bytes decode to exactly the given text; compares without decoding.
bool equals(QStringView text, QByteArrayView bytes);

// True when every character of the text has a place in the code page, so that writing and
// reading the text gives it back unchanged.
bool canEncode(QStringView text);

} // namespace CodePage

namespace TextLines {

// Splits file content into lines. A line ends at CR LF or at a bare LF; a last line without a
// line end still counts, and a CR at its very end is dropped as if an LF followed; the end of
// the content after a line end starts no further line. Stops after maxLines lines when that is
// not negative. Every line costs a list entry, an empty one too: a reader of a file that anyone
// can write passes a bound, or reads with a LineReader.
QList<QByteArray> split(const QByteArray &content, qsizetype maxLines = -1);

// A line's text without the CR of its line end.
inline QByteArrayView withoutCr(QByteArrayView line)
{
    return line.endsWith('\r') ? line.chopped(1) : line;
}

// Each line followed by CR LF.
QByteArray join(const QList<QByteArray> &lines);

inline constexpr char crlf[] = "\r\n";

} // namespace TextLines
