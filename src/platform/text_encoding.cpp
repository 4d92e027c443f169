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

ByteOrderMark byteOrderMark(QByteArrayView bytes)
{
    // UTF-32 LE first: its mark begins with the UTF-16 LE one.
    if (bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)))
        return {Encoding::Utf32LE, 4};
    if (bytes.startsWith(QByteArrayView("\0\0\xFE\xFF", 4)))
        return {Encoding::Utf32BE, 4};
    if (bytes.startsWith("\xFF\xFE"))
        return {Encoding::Utf16LE, 2};
    if (bytes.startsWith("\xFE\xFF"))
        return {Encoding::Utf16BE, 2};
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {Encoding::Utf8, 3};
    return {};
}

namespace {

// Written out rather than left to QStringDecoder so that what becomes of a
// broken unit is this file's rule, the same on every Qt version.
QString decodeUtf16(QByteArrayView bytes, bool bigEndian)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype units = bytes.size() / 2;
    const bool cut = bytes.size() % 2 != 0;
    QString out(units + (cut ? 1 : 0), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    auto unit = [&](qsizetype i) {
        return bigEndian ? char16_t(p[2 * i] << 8 | p[2 * i + 1]) : char16_t(p[2 * i + 1] << 8 | p[2 * i]);
    };
    qsizetype o = 0;
    for (qsizetype i = 0; i < units; ++i) {
        const char16_t u = unit(i);
        if (QChar::isHighSurrogate(u) && i + 1 < units && QChar::isLowSurrogate(unit(i + 1))) {
            d[o++] = u;
            d[o++] = unit(++i);
        } else if (QChar::isSurrogate(u)) {
            d[o++] = QChar::ReplacementCharacter;
        } else {
            d[o++] = u;
        }
    }
    if (cut)
        d[o++] = QChar::ReplacementCharacter;
    out.truncate(o);
    return out;
}

QString decodeUtf32(QByteArrayView bytes, bool bigEndian)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype units = bytes.size() / 4;
    const bool cut = bytes.size() % 4 != 0;
    // Each unit gives at most two UTF-16 units.
    QString out(2 * units + (cut ? 1 : 0), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    qsizetype o = 0;
    for (qsizetype i = 0; i < units; ++i) {
        const unsigned char* q = p + 4 * i;
        const char32_t cp = bigEndian ? char32_t(q[0]) << 24 | char32_t(q[1]) << 16 | char32_t(q[2]) << 8 | q[3]
                                      : char32_t(q[3]) << 24 | char32_t(q[2]) << 16 | char32_t(q[1]) << 8 | q[0];
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            d[o++] = QChar::ReplacementCharacter;
        } else if (cp > 0xFFFF) {
            d[o++] = QChar::highSurrogate(cp);
            d[o++] = QChar::lowSurrogate(cp);
        } else {
            d[o++] = char16_t(cp);
        }
    }
    if (cut)
        d[o++] = QChar::ReplacementCharacter;
    out.truncate(o);
    return out;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    const ByteOrderMark bom = byteOrderMark(bytes);
    bytes = bytes.sliced(bom.length);
    switch (bom.encoding) {
    case Encoding::Utf16LE: return decodeUtf16(bytes, false);
    case Encoding::Utf16BE: return decodeUtf16(bytes, true);
    case Encoding::Utf32LE: return decodeUtf32(bytes, false);
    case Encoding::Utf32BE: return decodeUtf32(bytes, true);
    case Encoding::Utf8: break;
    }
    return decodeRun(bytes);
}

bool isText(QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u >= 0x20)
            continue;
        switch (u) {
        case u'\t': case u'\n': case 0x0B: case 0x0C: case u'\r': case 0x1B:
            continue;
        case 0x1A:
            if (i + 1 == n)
                continue;
            return false;
        default:
            return false;
        }
    }
    return true;
}

QByteArray encode(const QString& text) { return text.toUtf8(); }

} // namespace textenc
