#pragma once

#include <QByteArray>
#include <QString>

// Files read and written whole.
namespace WholeFile {

// The file's bytes; empty when it is missing or cannot be read.
QByteArray read(const QString &path);

// Replaces the file with the content only once all of it is written (a temporary file renamed
// over the old one), so a crash or a full disk never leaves a damaged file behind. Returns
// whether the file now holds the content.
bool write(const QString &path, const QByteArray &content);

} // namespace WholeFile
