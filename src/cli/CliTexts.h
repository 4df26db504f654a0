#pragma once
// The command line's own texts: usage, argument errors and the check's insertion-point lines.

#include <QString>

namespace Cli::Texts {

inline const QString Usage =
    QStringLiteral("Użycie:\n"
                   "  orvanta                                   kreator\n"
                   "  orvanta PROJEKT.afp                       kreator z otwartym projektem\n"
                   "  orvanta check SKRYPT.afl [--show-signals] [--strict]\n"
                   "  orvanta generate PROJEKT.afp [--source PLIK] [--output PLIK]\n"
                   "  orvanta simulate PROJEKT.afp NOTOWANIA.csv [opcje symulacji]\n"
                   "  orvanta project show PROJEKT.afp\n"
                   "  orvanta project set PROJEKT.afp KLUCZ=WARTOŚĆ...\n"
                   "  orvanta --help\n"
                   "\n"
                   "Opcje polecenia check:\n"
                   "  --strict                                  kod wyjścia 1 także przy błędach "
                   "składni\n"
                   "\n"
                   "Opcje polecenia generate:\n"
                   "  --source PLIK                             skrypt AFL zamiast wskazanego "
                   "w projekcie\n"
                   "  --output PLIK                             zapis skryptu do pliku zamiast "
                   "na standardowe wyjście\n"
                   "\n"
                   "Opcje polecenia simulate:\n"
                   "  --source PLIK                             skrypt AFL zamiast wskazanego "
                   "w projekcie\n"
                   "  --refreshes-per-bar N                     przebiegi skryptu na każdej "
                   "świecy (1 do 100, domyślnie 1)\n"
                   "  --holding N                               stan posiadania przed pierwszym "
                   "zleceniem (domyślnie 0)\n"
                   "  --restart-at GG:MM[:SS]                   codzienne ponowne uruchomienie "
                   "Amibrokera o tej godzinie\n"
                   "  --arm                                     włącznik zleceń w parametrach "
                   "wykresu włączony\n"
                   "  --param NAZWA=WARTOŚĆ                     wartość parametru zamiast "
                   "domyślnej (można powtarzać)\n"
                   "  --log PLIK.csv                            dziennik zleceń w pliku CSV\n"
                   "  --chart PLIK.png                          wykres notowań, zleceń i stanu "
                   "posiadania w pliku PNG\n"
                   "  --traces                                  wypisanie wierszy _TRACE\n"
                   "\n"
                   "Kod wyjścia: 0 sukces, 1 nie udało się wygenerować kodu AFL "
                   "(simulate: także błąd skryptu w trakcie symulacji), "
                   "2 błędne dane wejściowe.\n");

inline const QString MissingCommand = QStringLiteral("brak polecenia");
inline const QString UnknownCommand = QStringLiteral("nieznane polecenie: %1");
inline const QString UnknownOption = QStringLiteral("nieznana opcja: %1");
inline const QString MissingValue = QStringLiteral("opcja %1 wymaga wartości");
inline const QString RepeatedOption = QStringLiteral("opcja %1 podana więcej niż raz");
inline const QString UnexpectedValue = QStringLiteral("opcja %1 nie przyjmuje wartości");
inline const QString MissingFile = QStringLiteral("brak nazwy pliku");
inline const QString ExtraArgument = QStringLiteral("nadmiarowy argument: %1");
inline const QString MissingAssignment = QStringLiteral("brak przypisania KLUCZ=WARTOŚĆ");
inline const QString BadAssignment = QStringLiteral("niepoprawne przypisanie: %1");
inline const QString ScriptNotRead = QStringLiteral("Nie można wczytać skryptu AFL %1\r\n%2");
inline const QString NotAProject = QStringLiteral("Plik %1 nie jest projektem.");
inline const QString CannotWrite = QStringLiteral("Nie można zapisać pliku %1\r\n%2");
inline const QString CannotRead = QStringLiteral("Nie można wczytać pliku %1\r\n%2");
inline const QString MissingSubcommand =
    QStringLiteral("brak polecenia project show lub project set");
inline const QString NoSource = QStringLiteral("projekt nie wskazuje skryptu AFL");
inline const QString Incomplete =
    QStringLiteral("projekt nie jest kompletny: krok %1 nie został zakończony");

/// A value of a simulate option that cannot be used: the option, the value, what it takes.
inline const QString BadOptionValue = QStringLiteral("niepoprawna wartość opcji %1: %2 (%3)");
inline const QString ExpectedRefreshes = QStringLiteral("liczba całkowita od 1 do 100");
inline const QString ExpectedHolding = QStringLiteral("liczba całkowita");
inline const QString ExpectedTime = QStringLiteral("godzina GG:MM lub GG:MM:SS");
inline const QString ExpectedParam = QStringLiteral("NAZWA=WARTOŚĆ");
/// The last line of simulate's counts.
inline const QString TraceCount = QStringLiteral("wiersze _TRACE: %1");

inline const QString InsertBeforeLine =
    QStringLiteral("\r\nSekcje sygnałów i zleceń zostaną wstawione przed wierszem %1:");
inline const QString InsertInLine =
    QStringLiteral("\r\nSekcje sygnałów i zleceń zostaną wstawione w wierszu %1 przed znakiem %2:");
/// A syntax error as editors read it: FILE:LINE:COLUMN: message.
inline const QString DiagnosticAt = QStringLiteral("%1:%2:%3: %4");
inline const QString InsertAtEnd =
    QStringLiteral("\r\nSekcje sygnałów i zleceń zostaną dopisane na końcu skryptu.");

} // namespace Cli::Texts
