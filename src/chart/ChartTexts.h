#pragma once
// Texts of the dry run's chart: its header, legend, strip caption and empty state.

#include <QString>

namespace Chart::Texts {

/// The header when the quotes name no security.
inline const QString NoTicker = QStringLiteral("Notowania");
/// "DEMO · interwał 5 min · 08.01.2024 – 12.02.2024".
inline QString Title(const QString& ticker, const QString& interval, const QString& from,
                     const QString& to)
{
    return QStringLiteral("%1 · interwał %2 · %3 – %4").arg(ticker, interval, from, to);
}
/// The bar interval: "30 s", "5 min", "1 h", "1 dzień", "7 dni".
inline QString Interval(qint64 seconds)
{
    if (seconds > 0 && seconds % 86400 == 0)
        return seconds == 86400 ? QStringLiteral("1 dzień")
                                : QStringLiteral("%1 dni").arg(seconds / 86400);
    if (seconds > 0 && seconds % 3600 == 0)
        return QStringLiteral("%1 h").arg(seconds / 3600);
    if (seconds > 0 && seconds % 60 == 0)
        return QStringLiteral("%1 min").arg(seconds / 60);
    return QStringLiteral("%1 s").arg(seconds);
}
inline const QString LegendTestMode = QStringLiteral("tryb testowy");
inline const QString LegendRefused = QStringLiteral("odrzucone");
inline const QString LegendRestart = QStringLiteral("restart");
inline const QString LegendNotRun = QStringLiteral("bez przebiegu");
/// The caption of the holding strip.
inline const QString Holding = QStringLiteral("Pozycja");
inline const QString NoQuotes = QStringLiteral("Brak notowań");

} // namespace Chart::Texts
