#pragma once
// Messages of the dry run: run-time errors of values, built-in functions and the interpreter,
// problems of a script's #include files, the plug-in recorder's refusals and the replay's
// places, and the reasons a quotes file is refused.

#include <QString>

namespace Sim::Texts {

// ---- kinds of values, as the errors name them ("musi być liczbą, a jest tablicą") ----

inline const QString KindNumber = QStringLiteral("liczbą");
inline const QString KindArray = QStringLiteral("tablicą");
inline const QString KindString = QStringLiteral("tekstem");
inline const QString KindNone = QStringLiteral("wartością pustą");
inline const QString KindNumberOrArray = QStringLiteral("liczbą lub tablicą");
inline const QString KindAny = QStringLiteral("wartością");

// ---- operators and conditions ----

/// An operator applied to a value it does not take ("operator - nie działa na tekście").
inline QString OperatorOnString(const QString& op)
{
    return QStringLiteral("operator %1 nie działa na tekście").arg(op);
}
inline QString OperatorOnNone(const QString& op)
{
    return QStringLiteral("operator %1 nie działa na wartości pustej").arg(op);
}
inline QString TextTooLong(qsizetype limit)
{
    return QStringLiteral("tekst dłuższy niż %1 znaków").arg(limit);
}
/// A condition of if, while, for, do or ?: that is not a single number.
inline QString ConditionNotNumber(const QString& kind)
{
    return QStringLiteral("warunek musi być liczbą, a jest %1").arg(kind);
}
/// A subscript outside the bars of the run ("indeks 12 poza zakresem 0–11").
inline QString SubscriptOutOfRange(const QString& index, qsizetype count)
{
    return count > 0 ? QStringLiteral("indeks %1 poza zakresem 0–%2").arg(index).arg(count - 1)
                     : QStringLiteral("indeks %1 poza zakresem: brak notowań").arg(index);
}
inline QString SubscriptOf(const QString& kind)
{
    return QStringLiteral("nie można indeksować wartości, która jest %1").arg(kind);
}

// ---- calls of built-in functions ----

/// "funkcja MA przyjmuje 2 argumenty, podano 3"; `expected` comes from ArgumentCount.
inline QString WrongArgumentCount(const QString& function, const QString& expected, int given)
{
    return QStringLiteral("funkcja %1 przyjmuje %2, podano %3")
        .arg(function, expected, QString::number(given));
}
/// "1 argument", "2 argumenty", "0 argumentów", "od 1 do 3 argumentów", "co najmniej 1 argument".
inline QString ArgumentCount(int min, int max)
{
    auto noun = [](int n) {
        if (n == 1)
            return QStringLiteral("argument");
        const int tens = n % 100;
        const int ones = n % 10;
        if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
            return QStringLiteral("argumenty");
        return QStringLiteral("argumentów");
    };
    if (max < 0)
        return QStringLiteral("co najmniej %1 %2").arg(QString::number(min), noun(min));
    if (min == max)
        return QStringLiteral("%1 %2").arg(QString::number(min), noun(min));
    return QStringLiteral("od %1 do %2 argumentów").arg(QString::number(min), QString::number(max));
}
/// "funkcja MA: argument 2 musi być liczbą, a jest tablicą".
inline QString WrongArgumentKind(const QString& function, int position, const QString& expected,
                                 const QString& given)
{
    return QStringLiteral("funkcja %1: argument %2 musi być %3, a jest %4")
        .arg(function, QString::number(position), expected, given);
}
/// Any other refusal of a built-in function, prefixed with its name.
inline QString InFunction(const QString& function, const QString& reason)
{
    return QStringLiteral("funkcja %1: %2").arg(function, reason);
}

inline QString PeriodTooSmall(int position)
{
    return QStringLiteral("okres (argument %1) musi wynosić co najmniej 1").arg(position);
}
inline QString ArgumentNull(int position)
{
    return QStringLiteral("argument %1 nie może być pusty (Null)").arg(position);
}
inline QString ParamListIndex(double index, qsizetype count)
{
    return QStringLiteral("pozycja %1 spoza listy (%2 pozycji)").arg(index).arg(count);
}
/// A value given for a parameter that it cannot take ("parametr „Okres”: niepoprawna wartość
/// „abc”").
inline QString BadParamValue(const QString& name, const QString& value)
{
    return QStringLiteral("parametr „%1”: niepoprawna wartość „%2”").arg(name, value);
}
inline QString ForeignTicker(const QString& requested, const QString& loaded)
{
    return QStringLiteral("brak notowań waloru „%1” (wczytano notowania „%2”)")
        .arg(requested, loaded);
}
inline QString UnknownField(const QString& field)
{
    return QStringLiteral("nieznane pole notowań „%1”").arg(field);
}
inline QString UnsupportedInterval(double interval)
{
    return QStringLiteral("nieobsługiwany interwał %1").arg(interval);
}
inline QString UnsupportedFormat(const QString& spec)
{
    return QStringLiteral("nieobsługiwany format „%1”").arg(spec);
}
inline const QString TooFewFormatArguments = QStringLiteral("za mało argumentów dla formatu");
inline const QString StaticTextNeedsText =
    QStringLiteral("tekst zapisuje się funkcją StaticVarSetText");
inline QString UnknownNowFormat(double format)
{
    return QStringLiteral("nieznany format %1").arg(format);
}

// ---- the interpreter ----

/// Where a run stopped: "wiersz 12: nieznana funkcja Foo".
inline QString AtLine(int line, const QString& message)
{
    return QStringLiteral("wiersz %1: %2").arg(QString::number(line), message);
}
/// The same in an #include'd file: "plik „wspolne.afl”, wiersz 3: ...".
inline QString InFile(const QString& file, const QString& located)
{
    return QStringLiteral("plik „%1”, %2").arg(file, located);
}
inline QString UnknownFunction(const QString& name)
{
    return QStringLiteral("nieznana funkcja %1").arg(name);
}
inline QString FunctionBeforeDefinition(const QString& name)
{
    return QStringLiteral("funkcja %1 użyta przed swoją definicją").arg(name);
}
inline QString UninitialisedVariable(const QString& name)
{
    return QStringLiteral("zmienna %1 użyta przed nadaniem jej wartości").arg(name);
}
inline QString FunctionWithoutParentheses(const QString& name)
{
    return QStringLiteral("%1 to funkcja: jej wywołanie wymaga nawiasów, np. %1()").arg(name);
}
inline QString NoValueFrom(const QString& function)
{
    return QStringLiteral("funkcja %1 nie zwraca wartości").arg(function);
}
inline const QString NoValue = QStringLiteral("wyrażenie nie ma wartości");
inline QString IndexNotNumber(const QString& kind)
{
    return QStringLiteral("indeks musi być liczbą, a jest %1").arg(kind);
}
inline QString ElementNotNumber(const QString& kind)
{
    return QStringLiteral("element tablicy musi być liczbą, a przypisywana wartość jest %1")
        .arg(kind);
}
inline QString SwitchSubject(const QString& kind)
{
    return QStringLiteral("wyrażenie instrukcji switch musi być liczbą lub tekstem, a jest %1")
        .arg(kind);
}
inline const QString BreakOutside =
    QStringLiteral("instrukcja break poza pętlą i instrukcją switch");
inline const QString ContinueOutside = QStringLiteral("instrukcja continue poza pętlą");
inline const QString ReturnOutside = QStringLiteral("instrukcja return poza funkcją");
inline QString StepLimit(qint64 limit)
{
    return QStringLiteral(
               "przekroczono limit %1 kroków jednego przebiegu skryptu (pętla bez końca?)")
        .arg(limit);
}
inline QString CallDepthLimit(int limit)
{
    return QStringLiteral(
               "przekroczono limit %1 zagnieżdżonych wywołań funkcji (rekurencja bez końca?)")
        .arg(limit);
}
inline const QString MemberNotSupported =
    QStringLiteral("obiekty automatyzacji (odwołania z kropką) nie są obsługiwane w symulacji");
inline const QString MatrixProductNotSupported =
    QStringLiteral("operator @ (iloczyn macierzy) nie jest obsługiwany w symulacji");
inline const QString NestedElementNotSupported = QStringLiteral(
    "przypisanie do elementu tablicy dwuwymiarowej nie jest obsługiwane w symulacji");
inline const QString StaticDeclarationNotSupported = QStringLiteral(
    "deklaracja static nie jest obsługiwana w symulacji; użyj StaticVarGet i StaticVarSet");

// ---- the script and its #include files, before any run ----

/// A syntax error or an #include problem: "wiersz 3, znak 5: brak średnika".
inline QString AtPosition(int line, int column, const QString& message)
{
    return QStringLiteral("wiersz %1, znak %2: %3")
        .arg(QString::number(line), QString::number(column), message);
}
inline QString IncludeMissing(const QString& path)
{
    return QStringLiteral("brak pliku „%1” dołączanego dyrektywą #include").arg(path);
}
inline QString IncludeCycle(const QString& path)
{
    return QStringLiteral("plik „%1” dołącza sam siebie").arg(path);
}
inline QString IncludeTooDeep(int limit)
{
    return QStringLiteral("zbyt głębokie zagnieżdżenie dyrektyw #include (ponad %1)").arg(limit);
}
inline QString IncludeNotAFile(const QString& argument)
{
    return QStringLiteral("dyrektywa #include %1 nie jest obsługiwana w symulacji").arg(argument);
}

// ---- the plug-in recorder ----

inline const QString SideBuy = QStringLiteral("kupno");
inline const QString SideSell = QStringLiteral("sprzedaż");
inline const QString StatusSent = QStringLiteral("wysłane");
inline const QString StatusRefused = QStringLiteral("odrzucone");
inline const QString StatusTestMode = QStringLiteral("niewysłane (tryb testowy)");
/// An interval as voxSetInterval takes it: seconds, or a tick count when negative.
inline QString IntervalText(double interval)
{
    return interval < 0 ? QStringLiteral("%1 ticków").arg(-interval)
                        : QStringLiteral("%1 s").arg(interval);
}
inline QString RefusedInterval(const QString& chart, const QString& required)
{
    return QStringLiteral("wykres ma interwał %1, a zlecenia są dozwolone tylko przy interwale %2 "
                          "(voxSetInterval)")
        .arg(chart, required);
}
inline const QString RefusedSecondBuy = QStringLiteral(
    "drugie z rzędu zlecenie kupna, a dozwolone są tylko zlecenia naprzemienne (voxOnlyReverse)");
inline const QString RefusedSecondSell = QStringLiteral("drugie z rzędu zlecenie sprzedaży, a "
                                                        "dozwolone są tylko zlecenia naprzemienne "
                                                        "(voxOnlyReverse)");
inline QString RefusedQuantity(const QString& quantity)
{
    return QStringLiteral("ilość %1 nie jest dodatnią liczbą całkowitą mniejszą od 10^15")
        .arg(quantity);
}

// ---- the replay ----

/// Where a replay stopped: "świeca nr 460 (2024-01-12 10:15:00), odświeżenie 2: wiersz 45: ...".
inline QString AtBar(int barNumber, const QString& time, int refresh, const QString& located)
{
    return QStringLiteral("świeca nr %1 (%2), odświeżenie %3: %4")
        .arg(QString::number(barNumber), time, QString::number(refresh), located);
}

// ---- quotes files ----

/// The whole message: "wiersz 12: niepoprawna data „2024-13-01”".
inline QString QuotesLine(int line, const QString& reason)
{
    return QStringLiteral("wiersz %1: %2").arg(QString::number(line), reason);
}
inline const QString QuotesEmpty = QStringLiteral("plik nie zawiera notowań");
inline const QString QuotesNoHeader = QStringLiteral(
    "brak wiersza nagłówka z nazwami kolumn (np. Data;Czas;Otwarcie;Najwyzszy;Najnizszy;"
    "Zamkniecie;Wolumen)");
inline QString QuotesMissingColumn(const QString& names)
{
    return QStringLiteral("w nagłówku brak kolumny %1").arg(names);
}
inline QString QuotesRepeatedColumn(const QString& name)
{
    return QStringLiteral("kolumna %1 powtarza się w nagłówku").arg(name);
}
inline QString QuotesFieldCount(int given, int expected)
{
    return QStringLiteral("liczba pól %1 zamiast %2").arg(given).arg(expected);
}
inline QString QuotesBadDate(const QString& text)
{
    return QStringLiteral("niepoprawna data „%1”").arg(text);
}
inline QString QuotesBadTime(const QString& text)
{
    return QStringLiteral("niepoprawny czas „%1”").arg(text);
}
inline QString QuotesBadNumber(const QString& text, const QString& column)
{
    return QStringLiteral("niepoprawna liczba „%1” w kolumnie %2").arg(text, column);
}
inline const QString QuotesHighBelowLow =
    QStringLiteral("cena najwyższa jest niższa od najniższej");
inline QString QuotesNotInOrder(int previousLine)
{
    return QStringLiteral("notowanie nie jest późniejsze od notowania z wiersza %1")
        .arg(previousLine);
}
inline QString QuotesOtherTicker(const QString& ticker, const QString& first)
{
    return QStringLiteral("inny walor („%1”) niż w pierwszym notowaniu („%2”)").arg(ticker, first);
}

} // namespace Sim::Texts
