#pragma once
// Texts of the simulation dialog: its captions, file dialogs and messages.

#include <QString>

namespace App::SimulationFormTexts {

inline const QString Caption = QStringLiteral("Symulacja");
inline const QString Quotes = QStringLiteral("Plik notowań:");
inline const QString Refreshes = QStringLiteral("Odświeżenia na świecę:");
inline const QString Holding = QStringLiteral("Stan posiadania na początku:");
inline const QString Restart = QStringLiteral("Codzienny restart Amibrokera o");
inline const QString Arm = QStringLiteral("Włącznik zleceń włączony");
inline const QString Run = QStringLiteral("&Uruchom symulację");
inline const QString Cancel = QStringLiteral("&Przerwij");
inline const QString SaveLog = QStringLiteral("Zapisz &dziennik...");
inline const QString SaveChart = QStringLiteral("Zapisz &wykres...");
inline const QString Close = QStringLiteral("&Zamknij");

inline const QString OpenQuotesTitle = QStringLiteral("Wybierz plik notowań");
inline const QString QuotesFilter = QStringLiteral("Notowania|*.csv;*.txt|Wszystkie pliki|*.*");
inline const QString SaveLogTitle = QStringLiteral("Zapisz dziennik zleceń");
inline const QString LogFilter = QStringLiteral("Plik CSV|*.csv");
inline const QString SaveChartTitle = QStringLiteral("Zapisz wykres");
inline const QString ChartFilter = QStringLiteral("Obraz PNG|*.png");

/// The restart time cannot be read.
inline QString BadRestartTime(const QString& text)
{
    return QStringLiteral("Niepoprawna godzina restartu „%1”: wpisz GG:MM lub GG:MM:SS.").arg(text);
}

} // namespace App::SimulationFormTexts
