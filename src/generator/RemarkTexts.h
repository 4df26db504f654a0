#pragma once
// The remarks and messages of loading and generating a script, for the window and the
// command line alike.

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

} // namespace Afl::Texts
