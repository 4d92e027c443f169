#include "core/measure.h"

#include "platform/data_file.h"

#include <cmath>

namespace {

const char* const kEighths[8] = {"", "1/8", "1/4", "3/8", "1/2", "5/8", "3/4", "7/8"};

// "#.#": at most one decimal, no leading zero, and a bare trailing point
// dropped by the callers' rule.
QString centimetreText(double number)
{
    QString s = QString::number(number, 'f', 1);
    if (s.endsWith(QLatin1String(".0")))
        s.chop(1);  // "3." : the point is dropped below
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    if (s == QLatin1String("0") || s.isEmpty())
        s.clear();
    return s + QLatin1String(" cm");
}

// How a number looks as text when it is handed on as a value.
QString numberText(double value)
{
    return QString::number(value, 'g', 7);
}

} // namespace

QString Inch_Fraction(const QString& value, int units)
{
    const double number = data_file::valueOf(value);
    if (value.isEmpty() || number == 0)
        return QString();
    if (units == 2)
        return centimetreText(number);

    const QString text = value.trimmed();
    long long whole = static_cast<long long>(std::floor(number));
    const QString wholeText = QString::number(whole);
    int eighths = 0;
    if (text.size() != wholeText.size()) {
        const QString fractionText = whole == 0 ? text : text.mid(wholeText.size());
        const double f = data_file::valueOf(fractionText);
        eighths = static_cast<int>(std::floor(f * 8));
        if (eighths >= 8) {
            whole += eighths / 8;
            eighths %= 8;
        }
        if (eighths < 0)
            eighths = 0;
    }
    QString out;
    if (whole > 0)
        out = QString::number(whole);
    if (eighths > 0) {
        if (whole > 0)
            out += QLatin1Char(' ');
        out += QLatin1String(kEighths[eighths]);
    }
    return out + QLatin1Char('"');
}

QString Inch_Fraction(double value, int units)
{
    return Inch_Fraction(numberText(value), units);
}

QString Measure_Text(const QString& value, int units)
{
    const double number = data_file::valueOf(value);
    if (value.isEmpty() || number == 0)
        return QString();
    if (units == 2)
        return centimetreText(number);
    QString text = value;
    if (text.contains(QLatin1Char('.')))
        text = Inch_Fraction(value, units);
    while (text.endsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char('"')))
        text.chop(1);
    return text + QLatin1Char('"');
}

float Measure_Value(const QString& text, int units)
{
    const double n = data_file::valueOf(text);
    if (units == 2 || text.contains(QLatin1Char('.')) || !text.contains(QLatin1Char('/')))
        return static_cast<float>(n);

    QString t = text;
    if (t.endsWith(QLatin1Char('"')))
        t.chop(1);
    double whole = 0;
    QString fraction = t;
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    if (blank >= 0) {
        whole = data_file::valueOf(t.left(blank));
        fraction = t.mid(blank + 1);
        while (fraction.startsWith(QLatin1Char(' ')))
            fraction.remove(0, 1);
    }
    const qsizetype slash = fraction.indexOf(QLatin1Char('/'));
    const double numerator = data_file::valueOf(slash < 0 ? fraction : fraction.left(slash));
    double denominator = slash < 0 ? 0 : data_file::valueOf(fraction.mid(slash + 1));
    if (denominator == 0)
        denominator = numerator > 0 ? numerator : 1;
    const double v = numerator / denominator + whole;
    return static_cast<float>(std::floor(v * 1000 + 1e-9) / 1000);
}

int Measure_Twips(float value, int units)
{
    double inches = value;
    if (units == 2)
        inches /= 2.54;
    // A float 2.54 cm is a hair under one inch; a thousandth of a twip of
    // slack keeps typed values on the twip they stand for.
    return static_cast<int>(std::floor(inches * 1440 + 1e-3));
}

double Twips_Measure(int twips, int units)
{
    const double inches = twips / 1440.0;
    return units == 2 ? inches * 2.54 : inches;
}
