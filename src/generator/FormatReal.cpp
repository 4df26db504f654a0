#include "generator/FormatReal.h"

#include <charconv>
#include <cmath>

namespace Afl {

QString FormatReal(double x)
{
    // std::to_chars never consults the C locale; with chars_format::general and precision 6
    // it produces exactly what "%.6g" (= "%lg") gives in the "C" locale.
    char buffer[99];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer - 1, x, std::chars_format::general, 6);
    if (result.ec != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString FormatLocaleReal(double x, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(x, 'g', 15);
}

double LocaleTextToReal(const QString& text, const QLocale& locale)
{
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return 0;
    return value;
}

} // namespace Afl
