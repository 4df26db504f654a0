#pragma once
// Texts of the simulation service: why a simulation did not run, the order log's columns and
// the counts.

#include <QString>
#include <QStringList>

namespace App::SimulationTexts {

inline const QString NoQuotesFile = QStringLiteral("Nie wskazano pliku notowań.");
/// The quotes file cannot be read or is refused: its path, then the reason on the next line.
inline QString QuotesNotRead(const QString& path, const QString& reason)
{
    return QStringLiteral("Nie można wczytać notowań z pliku %1\r\n%2").arg(path, reason);
}
/// The script did not run: its first syntax error or #include problem.
inline QString NotRun(const QString& diagnostic)
{
    return QStringLiteral("Skrypt nie został uruchomiony: %1").arg(diagnostic);
}
/// A run stopped with an error: where and why.
inline QString Stopped(const QString& where)
{
    return QStringLiteral("Symulacja przerwana: %1").arg(where);
}
/// While the replay runs (the dialog beside its progress bar, the command line on a terminal).
inline QString Progress(int done, int total)
{
    return QStringLiteral("Symulacja: świeca %1 z %2").arg(done).arg(total);
}
inline QString Cancelled(int done, int total)
{
    return QStringLiteral("Symulację przerwano po %1 z %2 świec.").arg(done).arg(total);
}
/// A parameter was given a value but the script never asked for it.
inline QString UnusedParam(const QString& name)
{
    return QStringLiteral("Parametr „%1” nie występuje w skrypcie.").arg(name);
}
/// The master switch stayed off through the whole simulation.
inline QString SwitchOff(const QString& toggle)
{
    return QStringLiteral("Włącznik „%1” był wyłączony: żadne zlecenie nie zostało wysłane.")
        .arg(toggle);
}

/// The order log's columns, in the CSV file and in the table.
inline const QStringList LogColumns = {
    QStringLiteral("świeca"),    QStringLiteral("czas"),      QStringLiteral("odświeżenie"),
    QStringLiteral("funkcja"),   QStringLiteral("strona"),    QStringLiteral("walor"),
    QStringLiteral("rachunek"),  QStringLiteral("ilość"),     QStringLiteral("limit"),
    QStringLiteral("aktywacja"), QStringLiteral("odpowiedź"), QStringLiteral("stan po"),
    QStringLiteral("status"),    QStringLiteral("powód"),
};
inline const QString NoOrders = QStringLiteral("Skrypt nie złożył żadnego zlecenia.");

// ---- the counts (CountsText), one line each ----

inline QString CountLine(const QString& what, int count)
{
    return QStringLiteral("%1: %2").arg(what).arg(count);
}
inline QString MostPerBar(int count, int barNumber, const QString& time)
{
    return QStringLiteral("najwięcej zleceń na jednej świecy: %1 (świeca nr %2, %3)")
        .arg(count)
        .arg(barNumber)
        .arg(time);
}
inline const QString NoneWentOut = QStringLiteral("najwięcej zleceń na jednej świecy: 0");
inline QString BarsRun(int bars)
{
    return QStringLiteral("świece: %1").arg(bars);
}
inline QString FinalHolding(const QString& holding)
{
    return QStringLiteral("stan po ostatniej świecy: %1").arg(holding);
}

} // namespace App::SimulationTexts
