#pragma once
// Texts of our own of the generator unit: the safety switches in the wizard, the summary and
// the remarks, and what the switches write into the generated script.

#include <QString>

namespace Afl::Texts {

// ---- The wizard's group of switches (page "Zabezpieczenia") and the summary

/// Caption of the group; followed by a colon it is the summary's heading.
inline const QString SwitchesCaption = QStringLiteral("Kontrola zleceń");
inline const QString TestModeCaption = QStringLiteral("Tryb testowy (bez wysyłania zleceń)");
inline const QString MasterSwitchCaption = QStringLiteral("Włącznik zleceń w parametrach wykresu");
inline const QString OrderLogCaption = QStringLiteral("Zapisuj zlecenia w dzienniku");
/// The daily cap reads "Najwyżej N zleceń dziennie": the box's caption, the spin edit, the rest.
inline const QString DailyCapBefore = QStringLiteral("Najwyżej");
inline const QString DailyCapAfter = QStringLiteral("zleceń dziennie");
/// The summary's line of the order log.
inline const QString OrderLogSummary = QStringLiteral("Zlecenia zapisywane w dzienniku");

/// The closing remark of a generation in test mode.
inline const QString TestModeRemark =
    QStringLiteral("\r\nTryb testowy: skrypt nie wysyła zleceń, tylko zapisuje je w dzienniku "
                   "i rysuje na wykresie.");

// ---- Written into the generated script

/// The first line of a test script, before the header block.
inline const QString TestHeaderLine =
    QStringLiteral("// Skrypt testowy: nie wysyła zleceń, tylko zapisuje je w dzienniku i rysuje "
                   "na wykresie");

/// The toggle of the master switch in the chart's parameters: its name and its two values.
inline const QString ToggleName = QStringLiteral("Wysyłanie zleceń");
inline const QString ToggleValues = QStringLiteral("Wyłączone|Włączone");

/// The last field of the line that reports the daily cap; %1 is the cap.
inline const QString CapReason =
    QStringLiteral("osiągnięto dzienny limit %1 zleceń, do końca dnia nie zostanie wysłane żadne "
                   "kolejne");

// Trailing comments and comment lines (written when comments are switched on).
inline const QString TestPosComment =
    QStringLiteral("  // Zmienna statyczna z walorami kupionymi w trybie testowym");
inline const QString TestMarksComment =
    QStringLiteral("  // Zmienna statyczna ze zleceniami testowymi do narysowania na wykresie");
inline const QString DayOrdersComment =
    QStringLiteral("  // Zmienna statyczna z licznikiem dzisiejszych zleceń (nazwa zawiera datę)");
inline const QString ToggleComment =
    QStringLiteral("  // Włącznik zleceń w parametrach wykresu, wyłączony po wstawieniu formuły");
inline const QString TestHoldingComment =
    QStringLiteral("  // Tryb testowy: walory kupione w teście zamiast stanu rachunku");
inline const QString OrderTextComment =
    QStringLiteral("  // Funkcja opisująca zlecenie w jednym wierszu dziennika");
inline const QString SendOrderComment =
    QStringLiteral("  // Funkcja wysyłająca zlecenie (bs: 1 kupno, 0 sprzedaż); zwraca "
                   "identyfikator zlecenia albo pusty tekst");
inline const QString SwitchOffComment =
    QStringLiteral("  // Włącznik wyłączony: zlecenie nie jest wysyłane");
inline const QString CapReachedComment = QStringLiteral("  // Dzienny limit zleceń wyczerpany");
inline const QString TestTraceComment =
    QStringLiteral("  // Tryb testowy: zlecenie trafia tylko do dziennika");
inline const QString TestHoldingUpdateComment =
    QStringLiteral("  // Tryb testowy: walory po zleceniu");
inline const QString TestMarkComment =
    QStringLiteral("  // Tryb testowy: znacznik zlecenia na ostatniej świeczce");
inline const QString OrderLogComment =
    QStringLiteral("  // Dziennik: zlecenie i odpowiedź plugina");
inline const QString CountComment = QStringLiteral("  // Licznik dzisiejszych zleceń");
inline const QString TestPlotComment =
    QStringLiteral("  // Tryb testowy: zlecenia testowe na wykresie");

} // namespace Afl::Texts
