#include "platform/data_file.h"

#include <limits>

namespace data_file {

QString numberText(qint64 value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

namespace {

// Shared scanner of a numeric prefix; returns the number read as a double.
double scanNumber(const QString& text, bool allowFraction)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    double value = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        value = value * 10 + (text[i].unicode() - '0');
        ++i;
    }
    if (allowFraction && i < n && text[i] == QLatin1Char('.')) {
        ++i;
        double scale = 0.1;
        while (i < n && text[i].unicode() >= '0' && text[i].unicode() <= '9') {
            value += (text[i].unicode() - '0') * scale;
            scale /= 10;
            ++i;
        }
    }
    return negative ? -value : value;
}

} // namespace

int intValue(const QString& text)
{
    const double v = scanNumber(text, false);
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

double valueOf(const QString& text) { return scanNumber(text, true); }

void Writer::writeString(const QString& s)
{
    text_ += QLatin1Char('"') + s + QLatin1String("\"\r\n");
    ++lines_;
}

void Writer::writeNumber(qint64 n)
{
    text_ += QString::number(n) + QLatin1String("\r\n");
    ++lines_;
}

void Writer::writeBoolean(bool b)
{
    text_ += (b ? QLatin1String("#TRUE#") : QLatin1String("#FALSE#")) + QLatin1String("\r\n");
    ++lines_;
}

Reader::Reader(QString text) : text_(std::move(text)) {}

bool Reader::atEnd() const { return pos_ >= text_.size(); }

std::optional<QString> Reader::readRaw(bool* quoted)
{
    const qsizetype n = text_.size();
    if (pos_ >= n)
        return std::nullopt;
    auto isEol = [&](qsizetype i) {
        return text_[i] == QLatin1Char('\r') || text_[i] == QLatin1Char('\n');
    };
    auto skipEol = [&]() {
        if (pos_ < n && text_[pos_] == QLatin1Char('\r'))
            ++pos_;
        if (pos_ < n && text_[pos_] == QLatin1Char('\n'))
            ++pos_;
    };
    while (pos_ < n && (text_[pos_] == QLatin1Char(' ') || text_[pos_] == QLatin1Char('\t')))
        ++pos_;
    QString item;
    *quoted = false;
    if (pos_ < n && text_[pos_] == QLatin1Char('"')) {
        *quoted = true;
        const qsizetype start = ++pos_;
        while (pos_ < n && text_[pos_] != QLatin1Char('"') && !isEol(pos_))
            ++pos_;
        item = text_.mid(start, pos_ - start);
        if (pos_ < n && text_[pos_] == QLatin1Char('"'))
            ++pos_;
        // Whatever follows the closing quote up to the delimiter is dropped.
        while (pos_ < n && text_[pos_] != QLatin1Char(',') && !isEol(pos_))
            ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < n && text_[pos_] != QLatin1Char(',') && !isEol(pos_))
            ++pos_;
        item = text_.mid(start, pos_ - start);
        while (item.endsWith(QLatin1Char(' ')) || item.endsWith(QLatin1Char('\t')))
            item.chop(1);
    }
    if (pos_ < n && text_[pos_] == QLatin1Char(','))
        ++pos_;
    else
        skipEol();
    return item;
}

std::optional<QString> Reader::readString()
{
    bool quoted = false;
    return readRaw(&quoted);
}

std::optional<int> Reader::readNumber()
{
    bool quoted = false;
    const auto raw = readRaw(&quoted);
    if (!raw)
        return std::nullopt;
    return intValue(*raw);
}

std::optional<bool> Reader::readBoolean()
{
    bool quoted = false;
    const auto raw = readRaw(&quoted);
    if (!raw)
        return std::nullopt;
    if (raw->compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
        return true;
    if (raw->compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

} // namespace data_file
