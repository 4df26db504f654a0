#pragma once
// Quotes of one security, read from a CSV or text file with a header row.

#include "simulation/Value.h"

#include <QString>
#include <QStringView>

namespace Sim {

/// Bars as columns of equal length; `dateTime` as DateTime.h encodes it.
struct Bars
{
    Array open;
    Array high;
    Array low;
    Array close;
    Array volume;
    Array openInterest;
    Array dateTime;

    qsizetype size() const { return close.size(); }
    /// The first `count` bars.
    Bars first(qsizetype count) const;
};

struct Quotes
{
    /// From the file's ticker column; empty when it has none.
    QString ticker;
    /// The most common gap between consecutive bars, in seconds (0 for a single bar).
    qint64 interval = 0;
    Bars bars;
};

/// The outcome of ReadQuotes: the quotes, or the line (0 for the file as a whole) and reason.
struct QuotesRead
{
    Quotes quotes;
    int line = 0;
    QString reason;

    bool ok() const { return reason.isEmpty(); }
    /// "wiersz 12: niepoprawna data „2024-13-01”", or the reason alone.
    QString message() const;
};

/// Reads quotes from the text of a file: all bars, or none and the first fault.
///
/// The first non-blank line is the header; its separator (tab, `;` or `,`, in that order of
/// preference) splits every line. Columns are found by name in English or Polish, in any
/// letter case, with or without Polish letters and `<…>` marks; unknown columns are ignored.
/// Dates are YYYY-MM-DD, YYYYMMDD or DD.MM.YYYY, times HH:MM[:SS] or HHMMSS, and a date column
/// may hold both ("2024-03-15 09:30:00"). A decimal comma is read where the separator is `;`
/// or a tab. Bars must come in strictly increasing time.
QuotesRead ReadQuotes(QStringView text);

} // namespace Sim
