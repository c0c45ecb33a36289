#include "platform/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr char codecName[] = "windows-1252";
}

QString CodePage::decode(QByteArrayView bytes)
{
    // Windows-1252 agrees with Latin-1 except in the bytes 0x80 to 0x9F. Qt's Latin-1 path is
    // many times faster than a general decoder, so take it and then mend those few bytes with
    // what the code page's own decoder makes of them.
    QString text = QString::fromLatin1(bytes);
    static const QString upperControls = [] {
        QByteArray range(32, 0);
        for (int i = 0; i < 32; ++i)
            range[i] = char(0x80 + i);
        QStringDecoder decoder(codecName);
        return QString(decoder.decode(range));
    }();
    char16_t *c = reinterpret_cast<char16_t *>(text.data());
    char16_t *const end = c + text.size();
    for (; c != end; ++c)
        if (*c >= 0x80 && *c <= 0x9F)
            *c = upperControls.at(*c - 0x80).unicode();
    return text;
}

bool CodePage::equals(QStringView text, QByteArrayView bytes)
{
    if (text.size() != bytes.size())
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar byte = uchar(bytes[i]);
        if (byte >= 0x80 && byte <= 0x9F)
            return text == decode(bytes); // rare: let the decoder say
        if (text[i].unicode() != byte)
            return false;
    }
    return true;
}

QByteArray CodePage::encode(QStringView text)
{
    QStringEncoder encoder(codecName);
    return encoder.encode(text);
}

bool CodePage::canEncode(QStringView text) { return decode(encode(text)) == text; }

QList<QByteArray> TextLines::split(const QByteArray &content, qsizetype maxLines)
{
    QList<QByteArray> lines;
    const QByteArrayView rest(content);
    qsizetype start = 0;
    while (start < rest.size() && lines.size() != maxLines) {
        qsizetype end = rest.indexOf('\n', start);
        const qsizetype next = end < 0 ? rest.size() : end + 1;
        if (end < 0)
            end = rest.size();
        lines.append(withoutCr(rest.sliced(start, end - start)).toByteArray());
        start = next;
    }
    return lines;
}

QByteArray TextLines::join(const QList<QByteArray> &lines)
{
    QByteArray out;
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size() + 2;
    out.reserve(size);
    for (const QByteArray &line : lines) {
        out += line;
        out += crlf;
    }
    return out;
}
