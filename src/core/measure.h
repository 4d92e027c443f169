#pragma once
// Distances typed and shown by the user: inches with eighth fractions and an
// inch mark (3 1/2"), or centimetres with one decimal (2.5 cm). units is the
// program's Measure_Units: 1 inches, 2 centimetres.

#include <QString>

// The display text of a typed or stored value ("" for zero or nothing).
QString Measure_Text(const QString& value, int units);

// The display text of a decimal value: inches with a fraction, or centimetres.
QString Inch_Fraction(const QString& value, int units);
QString Inch_Fraction(double value, int units);

// The number a display or typed text stands for, in the current unit,
// truncated to three decimals for fractions ("1/3" gives 0.333).
float Measure_Value(const QString& text, int units);

// Twips (1440 per inch) of a value in the given unit, rounded down.
int Measure_Twips(float value, int units);
// A distance in twips as the decimal value shown in the given unit.
double Twips_Measure(int twips, int units);
