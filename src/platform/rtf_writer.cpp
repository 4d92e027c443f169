#include "platform/rtf_writer.h"

#include "platform/text_encoding.h"

#include <QHash>

#include <array>

namespace rtf {

namespace {

// Windows-1252 byte of a character, or 0 when the code page has none. The
// table comes from the decoder, so both directions agree.
const QHash<char16_t, unsigned char>& windows1252High()
{
    static const QHash<char16_t, unsigned char> table = [] {
        QHash<char16_t, unsigned char> t;
        QByteArray bytes;
        for (int b = 0x80; b < 0xA0; ++b)
            bytes += char(b);
        const QString s = textenc::decodeWindows1252(bytes);
        for (int i = 0; i < s.size(); ++i)
            t.insert(s[i].unicode(), (unsigned char)(0x80 + i));
        return t;
    }();
    return table;
}

unsigned char windows1252Byte(char16_t u)
{
    if (u >= 0xA0 && u <= 0xFF)
        return (unsigned char)u;
    return windows1252High().value(u, 0);
}

void appendNumber(QByteArray& out, long long v)
{
    char buf[24];
    int n = 0;
    const bool negative = v < 0;
    unsigned long long x = negative ? (unsigned long long)(-v) : (unsigned long long)v;
    do {
        buf[n++] = char('0' + x % 10);
        x /= 10;
    } while (x);
    if (negative)
        out += '-';
    while (n)
        out += buf[--n];
}

constexpr char kHex[] = "0123456789abcdef";

// One character of text. A control word always ends with a blank, so the
// next character can never be taken as part of it.
void appendChar(QByteArray& out, char16_t u)
{
    if (u == u'\t') {
        out += "\\tab ";
    } else if (u == u'\\' || u == u'{' || u == u'}') {
        out += '\\';
        out += char(u);
    } else if (u >= 0x20 && u < 0x80) {
        out += char(u);
    } else if (const unsigned char b = u < 0x20 ? (unsigned char)u : windows1252Byte(u); b || u == 0) {
        out += "\\'";
        out += kHex[b >> 4];
        out += kHex[b & 15];
    } else {
        out += "\\u";
        appendNumber(out, u > 32767 ? int(u) - 65536 : int(u));
        out += '?';
    }
}

void appendText(QByteArray& out, QStringView s)
{
    for (QChar c : s)
        appendChar(out, c.unicode());
}

} // namespace

QByteArray write(const Content& content, const QString& fontName, int fontPoints)
{
    const QString& text = content.text;
    QByteArray out;
    out.reserve(text.size() + text.size() / 4 + 256);

    // Colour table: "automatic" first, then every colour used, in order.
    std::vector<quint32> table;
    QHash<quint32, int> indexOf;
    for (const ColorChange& c : content.colors) {
        if (!indexOf.contains(c.bgr)) {
            table.push_back(c.bgr);
            indexOf.insert(c.bgr, int(table.size()));
        }
    }

    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 ";
    appendText(out, fontName.isEmpty() ? QStringLiteral("Arial") : fontName);
    out += ";}}\r\n";
    if (!table.empty()) {
        out += "{\\colortbl ;";
        for (quint32 bgr : table) {
            out += "\\red";
            appendNumber(out, bgr & 0xFF);
            out += "\\green";
            appendNumber(out, (bgr >> 8) & 0xFF);
            out += "\\blue";
            appendNumber(out, (bgr >> 16) & 0xFF);
            out += ';';
        }
        out += "}\r\n";
    }
    out += "\\viewkind4\\pard";
    int indent = 0;
    auto indentOfLine = [&](size_t line) {
        return line < content.indents.size() ? content.indents[line] : 0;
    };
    if (const int first = indentOfLine(0)) {
        out += "\\li";
        appendNumber(out, first);
        indent = first;
    }
    out += "\\f0\\fs";
    appendNumber(out, 2LL * (fontPoints > 0 ? fontPoints : 10));
    out += ' ';

    size_t ci = 0;
    size_t line = 0;
    const int n = int(text.size());
    int pos = 0;
    while (pos < n) {
        if (text[pos] == u'\n') {
            out += "\\par\r\n";
            ++pos;
            ++line;
            const int next = indentOfLine(line);
            if (next != indent) {
                out += "\\pard";
                if (next) {
                    out += "\\li";
                    appendNumber(out, next);
                }
                out += ' ';
                indent = next;
            }
            continue;
        }
        if (ci < content.colors.size() && content.colors[ci].start <= pos) {
            while (ci + 1 < content.colors.size() && content.colors[ci + 1].start <= pos)
                ++ci;
            out += "\\cf";
            appendNumber(out, indexOf.value(content.colors[ci].bgr));
            out += ' ';
            ++ci;
        }
        // Up to the next line break or colour change.
        int end = pos;
        const int limit = ci < content.colors.size() ? std::min(n, content.colors[ci].start) : n;
        while (end < limit && text[end] != u'\n')
            ++end;
        if (end == pos)
            end = pos + 1;
        appendText(out, QStringView(text).mid(pos, end - pos));
        pos = end;
    }
    // The closing paragraph mark, which adds no line break.
    out += "\\par\r\n}\r\n";
    return out;
}

} // namespace rtf
