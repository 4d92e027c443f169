#include "platform/rtf_reader.h"

#include "platform/text_encoding.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <memory>

namespace rtf {

// ---- Content -------------------------------------------------------------------

void Content::append(QStringView chars, quint32 bgr)
{
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const QChar c = chars[i];
        if (c != u'\n') {
            if (colors.empty())
                colors.push_back({0, bgr});
            else if (colors.back().bgr != bgr)
                colors.push_back({int(text.size()), bgr});
        }
        text += c;
    }
}

quint32 Content::colorAt(int pos) const
{
    auto it = std::upper_bound(colors.begin(), colors.end(), pos,
                               [](int p, const ColorChange& c) { return p < c.start; });
    if (it == colors.begin())
        return colors.empty() ? 0 : colors.front().bgr;
    return std::prev(it)->bgr;
}

void Content::fixIndents()
{
    const size_t lines = size_t(text.count(u'\n')) + 1;
    indents.resize(lines, 0);
}

bool isRtf(const QByteArray& bytes) { return bytes.startsWith("{\\rtf"); }

Content read(const QByteArray& bytes)
{
    if (isRtf(bytes))
        return readRtf(bytes);
    return fromPlainText(textenc::decode(bytes));
}

bool readSource(const QByteArray& bytes, Content& out)
{
    if (isRtf(bytes)) {
        out = readRtf(bytes);
        return true;
    }
    const QString text = textenc::decode(bytes);
    if (!textenc::isText(text))
        return false;
    out = fromPlainText(text);
    return true;
}

QString editorText(const QString& in)
{
    QString out;
    out.reserve(in.size());
    const qsizetype n = in.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = in[i];
        const char16_t u = ch.unicode();
        if (u == u'\r' || u == u'\n' || u == 0x2028 || u == 0x2029) {
            if (u == u'\r' && i + 1 < n && in[i + 1] == u'\n')
                ++i;
            out += u'\n';
        } else if (u == 0) {
            continue;
        } else if (u == 0xFDD0 || u == 0xFDD1) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += ch;
        }
    }
    return out;
}

Content fromPlainText(const QString& in)
{
    Content c;
    c.text = editorText(in);
    for (qsizetype i = 0; i < c.text.size(); ++i) {
        if (c.text[i] != u'\n') {
            c.colors.push_back({0, 0});
            break;
        }
    }
    c.fixIndents();
    return c;
}

QString crlfText(const Content& c)
{
    QString out = c.text;
    out.replace(u'\n', QLatin1String("\r\n"));
    return out;
}

QByteArray toJson(const Content& c)
{
    // Written by hand so that every run and indent stands on a line of its
    // own (easy to read and to compare), in the order text, runs, indents.
    auto quoted = [](const QString& s) {
        QByteArray j = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
        return j.mid(1, j.size() - 2);  // drop the brackets
    };
    auto hex = [](quint32 bgr) {
        return QStringLiteral("\"#%1%2%3\"")
            .arg(bgr & 0xFF, 2, 16, QLatin1Char('0'))
            .arg((bgr >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
            .arg((bgr >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
            .toUpper()
            .toLatin1();
    };
    const QString& t = c.text;
    const int n = int(t.size());
    // Run starts in CR LF positions.
    std::vector<std::pair<int, quint32>> starts;
    if (n > 0) {
        size_t ci = 0;
        int breaksBefore = 0;
        starts.push_back({0, c.colors.empty() ? 0 : c.colors.front().bgr});
        for (int i = 0; i < n; ++i) {
            for (; ci < c.colors.size() && c.colors[ci].start <= i; ++ci)
                if (c.colors[ci].start == i && i > 0 && c.colors[ci].bgr != starts.back().second)
                    starts.push_back({i + breaksBefore, c.colors[ci].bgr});
            if (t[i] == u'\n')
                ++breaksBefore;
        }
        starts.push_back({n + breaksBefore, 0});  // the end
    }
    QByteArray out = "{\n  \"text\": " + quoted(crlfText(c)) + ",\n  \"runs\": [";
    for (size_t k = 0; k + 1 < starts.size(); ++k) {
        out += k ? ",\n    [" : "\n    [";
        out += QByteArray::number(starts[k].first) + ", "
            + QByteArray::number(starts[k + 1].first - starts[k].first) + ", "
            + hex(starts[k].second) + "]";
    }
    out += starts.empty() ? "],\n  \"indents\": [" : "\n  ],\n  \"indents\": [";
    bool any = false;
    for (size_t line = 0; line < c.indents.size(); ++line) {
        if (c.indents[line] == 0)
            continue;
        out += any ? ",\n    [" : "\n    [";
        out += QByteArray::number(qulonglong(line)) + ", " + QByteArray::number(c.indents[line]) + "]";
        any = true;
    }
    out += any ? "\n  ]\n}\n" : "]\n}\n";
    return out;
}

// ---- the RTF reader ----------------------------------------------------------------

namespace {

enum class Dest : quint8 { Text, FontTable, ColorTable, Skip };

struct GroupState {
    Dest dest = Dest::Text;
    int colorIndex = 0;  // \cf
    int indent = 0;      // \li, twips
    int skipAfterU = 1;  // \uc
    int font = -1;       // \f
    bool starred = false;  // "\*" seen: the group's destination is optional
};

// Word-processor destinations whose text is not document text.
bool isSkippedDestination(const char* w)
{
    static const char* const kSkip[] = {
        "stylesheet", "info", "pict", "object", "objdata", "header", "headerl", "headerr",
        "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "annotation",
        "fldinst", "xe", "tc", "tcn", "listtable", "listoverridetable", "revtbl", "rsidtbl",
        "generator", "themedata", "colorschememapping", "latentstyles", "datastore",
        "xmlnstbl", "pgdsctbl", "pntext", "listtext", "pn", "bkmkstart", "bkmkend", "filetbl",
        "template", "docvar", "userprops", "nonshppict", "shpinst", "sp", "sn", "sv",
        "private", "mmathPr", "fchars", "lchars", "atnid", "atnauthor", "atrfstart",
        "atrfend", "comment", "title", "subject", "author", "operator", "keywords",
        "doccomm", "company", "creatim", "revtim", "printim", "buptim", "ftnsep",
        "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "protusertbl", "blipuid",
        "passwordhash", "factoidname", "wgrffmtfilter", "mhtmltag", "htmltag", "fontemb",
        "fontfile", "falt", "panose", "defchp", "defpap", "upr", "ud", "shptxt",
    };
    for (const char* s : kSkip)
        if (std::strcmp(s, w) == 0)
            return true;
    return false;
}

// Code page of a font's character set.
int codePageOfCharset(int charset)
{
    switch (charset) {
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 77: return 10000;
    default: return 0;  // the document's code page
    }
}

const char* codecName(int codePage)
{
    switch (codePage) {
    case 874: return "windows-874";
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 1361: return "Johab";
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 10000: return "macintosh";
    default: return nullptr;
    }
}

bool isDoubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950
        || codePage == 1361;
}

class Reader {
public:
    explicit Reader(const QByteArray& bytes)
        : b_(reinterpret_cast<const unsigned char*>(bytes.constData())), n_(bytes.size())
    {
    }

    Content run();

private:
    const unsigned char* b_;
    qsizetype n_;
    qsizetype i_ = 0;

    static constexpr int kMaxDepth = 2048;
    std::vector<GroupState> stack_;
    GroupState cur_;
    int overflowDepth_ = 0;  // groups nested beyond kMaxDepth share one state
    bool ended_ = false;

    int docCodePage_ = 1252;
    int defaultFont_ = 0;
    QHash<int, int> fontCodePage_;
    int fontBeingDefined_ = -1;

    struct Rgb {
        int r = 0, g = 0, b = 0;
        bool set = false;
    } rgb_;
    std::vector<std::pair<bool, quint32>> colorTable_;  // (automatic, bgr)

    Content out_;
    QByteArray pendingBytes_;  // \'hh and 8-bit bytes not yet decoded
    int pendingPage_ = 0;
    int skipChars_ = 0;        // fallback characters after \u still to skip
    bool lastWasPar_ = false;  // the last thing read was a \par
    bool lastCr_ = false;      // the last character was a CR (a CR LF pair is one break)
    char16_t pendingHigh_ = 0; // first half of a surrogate pair, waiting for its second
    std::unique_ptr<QStringDecoder> decoder_;
    int decoderPage_ = 0;

    int codePage() const
    {
        const int f = cur_.font >= 0 ? cur_.font : defaultFont_;
        const int cp = fontCodePage_.value(f, 0);
        return cp ? cp : docCodePage_;
    }

    quint32 color() const
    {
        const int i = cur_.colorIndex;
        if (i < 0 || i >= int(colorTable_.size()) || colorTable_[size_t(i)].first)
            return 0;
        return colorTable_[size_t(i)].second;
    }

    void pushGroup();
    void popGroup();
    void addChar(char16_t u);
    void appendChar(char16_t u);
    void endPair();
    void addBreak(bool fromPar);
    void addByte(unsigned char c);
    void flushBytes();
    QString decode(const QByteArray& bytes, int codePage);
    void controlWord(const char* word, bool hasParam, int param);
    void controlSymbol(unsigned char c);
    void text(unsigned char c);
    int hexDigit(qsizetype at) const
    {
        if (at >= n_)
            return -1;
        const unsigned char c = b_[at];
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }
};

void Reader::pushGroup()
{
    flushBytes();
    skipChars_ = 0;
    if (stack_.size() >= size_t(kMaxDepth)) {
        ++overflowDepth_;
        return;
    }
    stack_.push_back(cur_);
}

void Reader::popGroup()
{
    flushBytes();
    skipChars_ = 0;
    if (overflowDepth_ > 0) {
        --overflowDepth_;
        return;
    }
    if (stack_.size() <= 1) {
        // The document's own group is closed: its state is the final one,
        // and nothing after it belongs to the document.
        ended_ = true;
        return;
    }
    if (cur_.dest == Dest::FontTable && stack_.back().dest != Dest::FontTable)
        fontBeingDefined_ = -1;
    cur_ = stack_.back();
    stack_.pop_back();
}

void Reader::addChar(char16_t u)
{
    // A surrogate stands only as the first or second half of a pair (two
    // \u in a row, or a decoder's output); a half on its own becomes U+FFFD,
    // so the text never holds an invalid character.
    if (pendingHigh_) {
        const char16_t high = pendingHigh_;
        pendingHigh_ = 0;
        if (QChar::isLowSurrogate(u)) {
            appendChar(high);
            appendChar(u);
            return;
        }
        appendChar(QChar::ReplacementCharacter);
    }
    if (QChar::isHighSurrogate(u)) {
        pendingHigh_ = u;
        return;
    }
    if (QChar::isLowSurrogate(u))
        u = QChar::ReplacementCharacter;
    if (u == u'\r' || u == 0x2028 || u == 0x2029) {
        addBreak(false);
        lastCr_ = u == u'\r';
        return;
    }
    if (u == u'\n') {
        if (!lastCr_)
            addBreak(false);
        lastCr_ = false;
        return;
    }
    lastCr_ = false;
    lastWasPar_ = false;
    if (u == 0)
        return;
    if (u == 0xFDD0 || u == 0xFDD1)
        u = QChar::ReplacementCharacter;
    appendChar(u);
}

void Reader::appendChar(char16_t u)
{
    lastCr_ = false;
    lastWasPar_ = false;
    const quint32 c = color();
    if (out_.colors.empty())
        out_.colors.push_back({0, c});
    else if (out_.colors.back().bgr != c)
        out_.colors.push_back({int(out_.text.size()), c});
    out_.text += QChar(u);
}

// A first half of a pair that no second half follows.
void Reader::endPair()
{
    if (pendingHigh_) {
        pendingHigh_ = 0;
        appendChar(QChar::ReplacementCharacter);
    }
}

void Reader::addBreak(bool fromPar)
{
    flushBytes();
    endPair();
    out_.indents.push_back(cur_.indent);
    out_.text += u'\n';
    lastWasPar_ = fromPar;
    lastCr_ = false;
}

void Reader::addByte(unsigned char c)
{
    const int cp = codePage();
    if (!pendingBytes_.isEmpty() && cp != pendingPage_)
        flushBytes();
    pendingPage_ = cp;
    // Bytes in a row are decoded together: a character of a multi-byte code
    // page (UTF-8, the East Asian pages) is written as several \'hh.
    pendingBytes_ += char(c);
}

QString Reader::decode(const QByteArray& bytes, int codePage)
{
    if (codePage == 1252 || codePage == 0)
        return textenc::decodeWindows1252(bytes);
    if (codePage == 65001)
        return textenc::decodeRun(bytes);
    if (!decoder_ || decoderPage_ != codePage) {
        QByteArray name;
        if (const char* known = codecName(codePage))
            name = known;
        else if (codePage >= 1250 && codePage <= 1258)
            name = "windows-" + QByteArray::number(codePage);
        decoder_ = name.isEmpty() ? nullptr : std::make_unique<QStringDecoder>(name.constData());
        if (decoder_ && !decoder_->isValid())
            decoder_.reset();
        decoderPage_ = codePage;
    }
    if (!decoder_)
        return textenc::decodeWindows1252(bytes);
    decoder_->resetState();
    return decoder_->decode(bytes);
}

void Reader::flushBytes()
{
    if (pendingBytes_.isEmpty())
        return;
    const QByteArray bytes = pendingBytes_;
    pendingBytes_.clear();
    const QString s = decode(bytes, pendingPage_);
    for (QChar c : s)
        addChar(c.unicode());
}

void Reader::text(unsigned char c)
{
    if (cur_.dest == Dest::Skip || cur_.dest == Dest::FontTable)
        return;
    if (cur_.dest == Dest::ColorTable) {
        if (c == ';') {
            colorTable_.push_back({!rgb_.set, (quint32(rgb_.b & 0xFF) << 16)
                                                  | (quint32(rgb_.g & 0xFF) << 8)
                                                  | quint32(rgb_.r & 0xFF)});
            rgb_ = {};
        }
        return;
    }
    if (skipChars_ > 0) {
        --skipChars_;
        return;
    }
    if (c >= 0x80 || (!pendingBytes_.isEmpty() && isDoubleByte(pendingPage_))) {
        addByte(c);
        return;
    }
    flushBytes();
    addChar(c == '\t' ? u'\t' : char16_t(c));
}

void Reader::controlSymbol(unsigned char c)
{
    switch (c) {
    case '\'': {
        const int h = hexDigit(i_);
        const int l = hexDigit(i_ + 1);
        if (h < 0)
            return;
        int value = h;
        ++i_;
        if (l >= 0) {
            value = h * 16 + l;
            ++i_;
        }
        if (cur_.dest != Dest::Text)
            return;
        if (skipChars_ > 0) {
            --skipChars_;
            return;
        }
        addByte((unsigned char)value);
        return;
    }
    case '*':
        cur_.dest = Dest::Skip;
        return;
    case '\\':
    case '{':
    case '}':
        text(c);
        return;
    case '~':  // non-breaking space
    case '_':  // non-breaking hyphen
        if (cur_.dest == Dest::Text) {
            flushBytes();
            addChar(c == '~' ? 0x00A0 : 0x2011);
        }
        return;
    case '\r':
    case '\n':
        // A backslash before a line end is a paragraph mark.
        if (cur_.dest == Dest::Text)
            addBreak(true);
        return;
    default:
        return;  // \- \| \: and unknown symbols
    }
}

void Reader::controlWord(const char* w, bool hasParam, int param)
{
    // Binary data is skipped whatever the destination.
    if (std::strcmp(w, "bin") == 0) {
        if (hasParam && param > 0)
            i_ += std::min<qsizetype>(param, n_ - i_);
        return;
    }
    switch (cur_.dest) {
    case Dest::Skip:
        return;
    case Dest::FontTable:
        if (std::strcmp(w, "f") == 0) {
            fontBeingDefined_ = hasParam ? param : 0;
        } else if (std::strcmp(w, "fcharset") == 0 && fontBeingDefined_ >= 0) {
            if (const int cp = codePageOfCharset(param))
                fontCodePage_.insert(fontBeingDefined_, cp);
        } else if (std::strcmp(w, "cpg") == 0 && fontBeingDefined_ >= 0 && param > 0) {
            fontCodePage_.insert(fontBeingDefined_, param);
        }
        return;
    case Dest::ColorTable:
        if (std::strcmp(w, "red") == 0)
            rgb_.r = param, rgb_.set = true;
        else if (std::strcmp(w, "green") == 0)
            rgb_.g = param, rgb_.set = true;
        else if (std::strcmp(w, "blue") == 0)
            rgb_.b = param, rgb_.set = true;
        return;
    case Dest::Text:
        break;
    }

    flushBytes();
    // Words that change state; the fallback of \u only counts characters.
    if (std::strcmp(w, "u") == 0) {
        int v = param;
        if (v < 0)
            v += 65536;
        if (v < 0 || v > 0xFFFF)
            v = QChar::ReplacementCharacter;
        addChar(char16_t(v));
        skipChars_ = cur_.skipAfterU;
        return;
    }
    skipChars_ = 0;
    struct Special {
        const char* word;
        char16_t ch;
    };
    static const Special kSpecial[] = {
        {"tab", u'\t'},      {"cell", u'\t'},      {"emdash", 0x2014},  {"endash", 0x2013},
        {"emspace", 0x2003}, {"enspace", 0x2002},  {"qmspace", 0x2005}, {"bullet", 0x2022},
        {"lquote", 0x2018},  {"rquote", 0x2019},   {"ldblquote", 0x201C},
        {"rdblquote", 0x201D}, {"zwj", 0x200D},    {"zwnj", 0x200C},
    };
    for (const Special& s : kSpecial) {
        if (std::strcmp(w, s.word) == 0) {
            addChar(s.ch);
            return;
        }
    }
    if (std::strcmp(w, "par") == 0) {
        addBreak(true);
    } else if (std::strcmp(w, "line") == 0 || std::strcmp(w, "row") == 0) {
        addBreak(false);
    } else if (std::strcmp(w, "cf") == 0) {
        cur_.colorIndex = hasParam ? param : 0;
    } else if (std::strcmp(w, "li") == 0) {
        cur_.indent = std::clamp(hasParam ? param : 0, -31680, 31680);
    } else if (std::strcmp(w, "pard") == 0) {
        cur_.indent = 0;
    } else if (std::strcmp(w, "plain") == 0) {
        cur_.colorIndex = 0;
        cur_.font = -1;
    } else if (std::strcmp(w, "f") == 0) {
        cur_.font = hasParam ? param : 0;
    } else if (std::strcmp(w, "uc") == 0) {
        cur_.skipAfterU = std::clamp(hasParam ? param : 1, 0, 16);
    } else if (std::strcmp(w, "ansicpg") == 0) {
        if (param > 0)
            docCodePage_ = param;
    } else if (std::strcmp(w, "ansi") == 0) {
        docCodePage_ = 1252;
    } else if (std::strcmp(w, "mac") == 0) {
        docCodePage_ = 10000;
    } else if (std::strcmp(w, "pc") == 0) {
        docCodePage_ = 437;
    } else if (std::strcmp(w, "pca") == 0) {
        docCodePage_ = 850;
    } else if (std::strcmp(w, "deff") == 0) {
        defaultFont_ = param;
    } else if (std::strcmp(w, "fonttbl") == 0) {
        cur_.dest = Dest::FontTable;
    } else if (std::strcmp(w, "colortbl") == 0) {
        cur_.dest = Dest::ColorTable;
        colorTable_.clear();
        rgb_ = {};
    } else if (isSkippedDestination(w)) {
        cur_.dest = Dest::Skip;
    }
}

Content Reader::run()
{
    out_.text.reserve(n_ / 2);
    char word[33];
    while (i_ < n_ && !ended_) {
        const unsigned char c = b_[i_++];
        switch (c) {
        case '{':
            pushGroup();
            break;
        case '}':
            popGroup();
            break;
        case '\\': {
            if (i_ >= n_)
                break;
            const unsigned char first = b_[i_];
            if (!((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z'))) {
                ++i_;
                controlSymbol(first);
                break;
            }
            int len = 0;
            while (i_ < n_ && ((b_[i_] >= 'a' && b_[i_] <= 'z') || (b_[i_] >= 'A' && b_[i_] <= 'Z'))) {
                if (len < 32)
                    word[len++] = char(b_[i_]);
                ++i_;
            }
            word[len] = 0;
            bool negative = false;
            if (i_ + 1 < n_ && b_[i_] == '-' && b_[i_ + 1] >= '0' && b_[i_ + 1] <= '9') {
                negative = true;
                ++i_;
            }
            bool hasParam = false;
            qint64 value = 0;
            int digits = 0;
            while (i_ < n_ && b_[i_] >= '0' && b_[i_] <= '9') {
                hasParam = true;
                if (digits++ < 10)
                    value = value * 10 + (b_[i_] - '0');
                ++i_;
            }
            if (negative)
                value = -value;
            value = std::clamp<qint64>(value, -2147483647, 2147483647);
            if (i_ < n_ && b_[i_] == ' ')
                ++i_;
            controlWord(word, hasParam, int(value));
            break;
        }
        case '\r':
        case '\n':
        case 0:
            break;
        default:
            text(c);
            break;
        }
    }
    flushBytes();
    endPair();
    if (lastWasPar_ && out_.text.endsWith(u'\n'))
        out_.text.chop(1);  // the closing \par adds no line break
    else
        out_.indents.push_back(cur_.indent);
    out_.fixIndents();
    return std::move(out_);
}

} // namespace

Content readRtf(const QByteArray& bytes) { return Reader(bytes).run(); }

} // namespace rtf
