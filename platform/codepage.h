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
// line end still counts; the end of the content after a line end starts no further line.
// Stops after maxLines lines when that is not negative.
QList<QByteArray> split(const QByteArray &content, qsizetype maxLines = -1);

// Each line followed by CR LF.
QByteArray join(const QList<QByteArray> &lines);

inline constexpr char crlf[] = "\r\n";

} // namespace TextLines
