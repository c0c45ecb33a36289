#include "platform/linereader.h"

#include "platform/codepage.h"

#include <QIODevice>

#include <cstring>

LineReader::LineReader(QIODevice &device) : m_device(device), m_left(device.bytesAvailable()) {}

std::optional<QByteArrayView> LineReader::next()
{
    for (;;) {
        const QByteArrayView pending(m_buffer.constData() + m_start, m_end - m_start);
        const qsizetype lf = pending.indexOf('\n', m_scanned);
        if (lf >= 0) {
            m_start += lf + 1;
            m_scanned = 0;
            return TextLines::withoutCr(pending.first(lf));
        }
        m_scanned = pending.size();
        // A read moves the unfinished line, so it is looked at afresh after one.
        if (!m_atEnd && pending.size() < maxLineLength && readBlock())
            continue;
        m_atEnd = true;
        if (pending.size() > maxLineLength) {
            m_start = m_end;
            return pending.first(maxLineLength);
        }
        if (m_start == m_end)
            return std::nullopt;
        // The last line, without a line end of its own.
        const QByteArrayView last(m_buffer.constData() + m_start, m_end - m_start);
        m_start = m_end;
        m_scanned = 0;
        return TextLines::withoutCr(last);
    }
}

bool LineReader::readBlock()
{
    if (m_left <= 0)
        return false;
    // The unfinished line moves to the front; a line longer than the buffer makes it grow.
    const qsizetype pending = m_end - m_start;
    if (m_start > 0 && pending > 0)
        std::memmove(m_buffer.data(), m_buffer.constData() + m_start, size_t(pending));
    m_start = 0;
    m_end = pending;
    if (m_end == m_buffer.size())
        m_buffer.resize(qMax(blockSize, 2 * m_buffer.size()));
    const qint64 got =
        m_device.read(m_buffer.data() + m_end, qMin<qint64>(m_buffer.size() - m_end, m_left));
    if (got <= 0)
        return false;
    m_end += got;
    m_left -= got;
    return true;
}
