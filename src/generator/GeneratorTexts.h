#pragma once
// The generator unit's texts: the remarks and messages of loading and generating a script (for
// the window and the command line alike), the syntax check's remarks, and the safety switches
// in the wizard, the summary, the remarks and the generated script.

#include <QString>

namespace Afl::Texts {

// ---- Loading
/// The message box after a file that cannot be loaded (caption "Orvanta", warning).
inline const QString NotLoaded = QStringLiteral("Uwaga! Nie został wczytany kod AFL");
inline const QString MissingBuy =
    QStringLiteral("W oryginalnym kodzie AFL brakuje definicji sygnału BUY!");
inline const QString MissingSell =
    QStringLiteral("W oryginalnym kodzie AFL brakuje definicji sygnału SELL!");
inline const QString PluginHeading =
    QStringLiteral("W oryginalnum kodzie AFL znaleziono wywołania następujących funkcji plugina:");
inline const QString RemovePluginCalls =
    QStringLiteral("Należy usunąć wszelkie odwołania do funkcji plugina");
inline const QString NotEditable =
    QStringLiteral("Skrypt AFL nie może być redagowany za pomocą tego edytora!");
/// The message box of a refused script: this, a line break and NotEditable.
inline const QString PluginFound = QStringLiteral("Znaleziono odwołania do funkcji plugina!");
/// Indent of a function name in the remarks.
inline const QString Indent = QStringLiteral("   ");

// ---- Generation
inline const QString RemovalHeading =
    QStringLiteral("\r\nZ oryginalnego kodu usunięto wywołania następujących funkcji (liczba z "
                   "prawej pokazuje liczbę wywołań)");
inline const QString RemovalReason =
    QStringLiteral("Funkcje te zostały usunięte z powodu wystąpienia potencjalnych kolizji z "
                   "kodem dodanym przez edytor.");
inline const QString WarningHeading =
    QStringLiteral("\r\nW kodzie AFL wykryto następujące wywołania:");
inline const QString WarningReason =
    QStringLiteral("Funkcje te mogą być potencjalnym źródłem błędnego działania kodu wynikowego.");
inline const QString NoBuyDefinition =
    QStringLiteral("\r\nNie można odnaleźć definicji sygnału BUY!");
inline const QString NoSellDefinition =
    QStringLiteral("\r\nNie można odnaleźć definicji sygnału SELL!");
inline const QString CannotGenerate =
    QStringLiteral("\r\nNie można wygenerować poprawnego kodu AFL.");
inline const QString Generated = QStringLiteral("\r\nKod został wygenerowany.");
inline const QString NotOptimal =
    QStringLiteral("\r\nWynikowy AFL nie musi być optymalny z punktu widzenia obliczeniowego.");
inline const QString CheckYourself =
    QStringLiteral("\r\nUżytkownik powinien samodzielnie sprawdzić poprawność kodu!");

// ---- The syntax check (texts of our own)
/// Heading of the syntax errors of a loaded script, followed by one DiagnosticLine each.
inline const QString SyntaxErrorsHeading =
    QStringLiteral("\r\nW oryginalnym kodzie AFL wykryto błędy składni:");
/// One syntax error: line, column, message.
inline const QString DiagnosticLine = QStringLiteral("wiersz %1, znak %2: %3");
/// Heading of the first syntax error of a finished script whose source has none.
inline const QString OutputErrorHeading =
    QStringLiteral("\r\nBłąd edytora: wygenerowany kod AFL zawiera błąd składni:");
/// The sections were moved after a line of the source; %2 is one of the reasons below.
inline const QString SectionsMoved = QStringLiteral(
    "\r\nSekcje sygnałów i zleceń przeniesiono za wiersz %1 oryginalnego kodu AFL, bo %2.");
inline const QString MovedFromCommentOrString =
    QStringLiteral("znalazłyby się w komentarzu lub w łańcuchu znaków");
inline const QString MovedFromLoop = QStringLiteral("znalazłyby się wewnątrz pętli");
inline const QString MovedFromStatement = QStringLiteral("rozdzieliłyby instrukcję");
inline const QString MovedFromBeforeSignals =
    QStringLiteral("stałyby przed instrukcją wyznaczającą sygnały");
inline const QString InsertionNotChecked = QStringLiteral(
    "\r\nNie sprawdzono miejsca sekcji sygnałów i zleceń, bo kod AFL zawiera błędy składni.");
inline const QString InsertionNoSignals =
    QStringLiteral("\r\nMiejsce sekcji sygnałów i zleceń może być niewłaściwe: nie znaleziono "
                   "instrukcji wyznaczającej sygnały.");

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
