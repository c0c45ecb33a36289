#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

class QIODevice;

// The lines of a text file, read a block at a time with plain reads. Memory holds one block and
// the line being read, however many lines the file has, and a file that shrinks or is rewritten
// meanwhile only ends the lines early: what was read is what the reader gets. No more is read
// than the device held when the reader was made, so neither a file that keeps growing nor a
// device without end (a pipe, /dev/zero) can fill memory. A line longer than maxLineLength (a
// file made huge at no cost, with no line end in it) ends the reading: its first maxLineLength
// bytes are the last line. Lines end as TextLines::split has it.
class LineReader
{
public:
    static constexpr qsizetype blockSize = 64 * 1024;
    static constexpr qsizetype maxLineLength = 1024 * 1024;

    explicit LineReader(QIODevice &device);

    // The next line without its line end, valid until the next call. Nothing after the last
    // line, or once a read fails.
    std::optional<QByteArrayView> next();

private:
    // Reads the next block behind the unfinished line; false at the end of the file.
    bool readBlock();

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_start = 0;   // first byte of the unfinished line
    qsizetype m_scanned = 0; // bytes from m_start known to hold no LF
    qsizetype m_end = 0;     // bytes read into the buffer
    qint64 m_left;           // bytes still to read
    bool m_atEnd = false;
};
