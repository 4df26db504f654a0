#pragma once
// Number texts of the generator: "%lg" for generated code, the locale's form for the user.

#include <QLocale>
#include <QString>

namespace Afl {

/// x as printf "%lg" writes it (6 significant digits, exponent below 1e-4 and from 1e6,
/// trailing zeros dropped), always with a point, whatever the process locale.
QString FormatReal(double x);

/// x in the locale's general form: up to 15 significant digits, its decimal separator, no
/// group separators ("1000000000", "1,5" under a comma locale).
QString FormatLocaleReal(double x, const QLocale& locale);

/// The number in text by the locale's rules (decimal separator, no group separators, blanks
/// around ignored); 0 when the text is not a number.
double LocaleTextToReal(const QString& text, const QLocale& locale);

} // namespace Afl
