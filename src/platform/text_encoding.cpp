#include "platform/text_encoding.h"

namespace textenc {

namespace {

const char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Length of the valid UTF-8 sequence that starts at p (at most n bytes
// available) and its code point; 0 when the bytes there are no valid
// sequence (a stray continuation byte, a lead byte cut short, an overlong
// form, a surrogate or a value beyond U+10FFFF).
int sequenceAt(const unsigned char* p, qsizetype n, char32_t& cp)
{
    const unsigned char b0 = p[0];
    auto cont = [&](qsizetype i) { return i < n && (p[i] & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (!cont(1))
            return 0;
        cp = char32_t(b0 & 0x1F) << 6 | (p[1] & 0x3F);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (!cont(1) || !cont(2))
            return 0;
        if ((b0 == 0xE0 && p[1] < 0xA0) || (b0 == 0xED && p[1] > 0x9F))
            return 0;
        cp = char32_t(b0 & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3))
            return 0;
        if ((b0 == 0xF0 && p[1] < 0x90) || (b0 == 0xF4 && p[1] > 0x8F))
            return 0;
        cp = char32_t(b0 & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6
            | (p[3] & 0x3F);
        return 4;
    }
    return 0;
}

} // namespace

QChar windows1252Char(unsigned char c)
{
    return (c >= 0x80 && c < 0xA0) ? QChar(kWindows1252High[c - 0x80]) : QChar(c);
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = windows1252Char(static_cast<unsigned char>(bytes[i]));
    return out;
}

QString decodeRun(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    // Never more characters than bytes.
    QString out(n, Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    qsizetype o = 0;
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            d[o++] = b;
            ++i;
            continue;
        }
        char32_t cp = 0;
        const int len = sequenceAt(p + i, n - i, cp);
        if (len == 0) {
            d[o++] = windows1252Char(b).unicode();
            ++i;
        } else if (cp > 0xFFFF) {
            d[o++] = QChar::highSurrogate(cp);
            d[o++] = QChar::lowSurrogate(cp);
            i += len;
        } else {
            d[o++] = char16_t(cp);
            i += len;
        }
    }
    out.truncate(o);
    return out;
}

QString decode(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    return decodeRun(bytes);
}

QByteArray encode(const QString& text) { return text.toUtf8(); }

} // namespace textenc
