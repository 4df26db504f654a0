#pragma once
// What a run of a script sees and leaves behind: the bars up to the current one, the time
// frame, the global variables, and the state that outlives a run (static variables, _TRACE
// lines, parameter defaults). Built-in functions receive it; the interpreter owns it.

#include "simulation/Library.h"
#include "simulation/Quotes.h"
#include "simulation/Value.h"

#include <QHash>
#include <QList>
#include <QString>

namespace Sim {

/// One `_TRACE` line, with the bar (0-based) and the run of that bar that wrote it.
struct TraceLine
{
    int bar = 0;
    int run = 0;
    QString text;
};

/// A parameter the script asked for, and the value it ran with.
struct ParamDefault
{
    QString function; ///< "Param", "ParamToggle", ...
    QString name;
    QString value;      ///< the value as text: the default, or the one given for the replay
    bool given = false; ///< the value came from Environment::setParamValues
};

/// A PopupWindow the script opened.
struct Popup
{
    int bar = 0;
    int run = 0;
    QString caption;
    QString text;
};

/// AFL's static variables: kept between runs until cleared. Names in any letter case.
class StaticVariables
{
public:
    /// The value, or Null when the name was never set; an array is cut or padded with Null to
    /// `barCount` bars, aligned at the first bar.
    Value get(const QString& name, qsizetype barCount) const;
    void set(const QString& name, Value value);
    bool remove(const QString& name);
    bool contains(const QString& name) const;
    void clear() { m_values.clear(); }
    qsizetype size() const { return m_values.size(); }

private:
    QHash<QString, Value> m_values;
};

class Environment
{
public:
    /// The standard library, no quotes.
    Environment();

    // ---- quotes and the bars of a run ----

    void setQuotes(Quotes quotes);
    const Quotes& quotes() const { return m_quotes; }
    const QString& ticker() const { return m_quotes.ticker; }

    /// Starts run `run` (0-based) on the first `barCount` bars: the bar of the run is the last of
    /// them. Clears the variables and presets them (PresetVariables), restores the base time
    /// frame; the static variables, trace lines, parameters and popups stay.
    void beginRun(qsizetype barCount, int run = 0);
    qsizetype barCount() const { return m_visible.size(); }
    int bar() const { return int(m_visible.size()) - 1; }
    int run() const { return m_run; }

    /// The bars of the current time frame: the visible bars, or after TimeFrameSet the bars
    /// compressed into its interval, right-aligned and padded with Null (BarCount unchanged).
    const Bars& bars() const { return m_timeFrame == 0 ? m_visible : m_compressed; }
    /// The interval of the current time frame, in seconds.
    qint64 interval() const { return m_timeFrame == 0 ? m_quotes.interval : m_timeFrame; }

    /// TimeFrameSet: compresses the visible bars and replaces the price arrays among the
    /// variables. Supported: intraday intervals in whole seconds, inDaily, inWeekly, inMonthly;
    /// RunError otherwise.
    void setTimeFrame(Number interval);
    /// TimeFrameRestore: back to the visible bars and their price arrays.
    void restoreTimeFrame();

    /// The date-time Now() reports; the last visible bar's unless set.
    Number now() const;
    void setNow(Number dateTime) { m_now = dateTime; }

    // ---- the run's global variables (case-folded names) ----

    QHash<QString, Value>& variables() { return m_variables; }
    const QHash<QString, Value>& variables() const { return m_variables; }
    void setVariable(const QString& name, Value value);
    /// A variable's value, or none when it is not set.
    Value variable(const QString& name) const;

    // ---- what outlives a run ----

    StaticVariables& statics() { return m_statics; }
    const StaticVariables& statics() const { return m_statics; }

    void trace(const QString& text) { m_traces.append({bar(), m_run, text}); }
    const QList<TraceLine>& traces() const { return m_traces; }

    /// Values the Param family returns instead of its defaults: parameter name (any letter
    /// case) → value as text.
    void setParamValues(const QHash<QString, QString>& values);
    /// The value given for a parameter, or nullptr when it runs with its default.
    const QString* paramValue(const QString& name) const;
    /// Notes a parameter's value the first time its name is seen.
    void noteParam(const QString& function, const QString& name, const QString& value,
                   bool given = false);
    const QList<ParamDefault>& params() const { return m_params; }

    void popup(const QString& caption, const QString& text);
    const QList<Popup>& popups() const { return m_popups; }

    /// The seconds of the last RequestTimedRefresh (0: none).
    Number refreshSeconds() const { return m_refreshSeconds; }
    void setRefreshSeconds(Number seconds) { m_refreshSeconds = seconds; }

    Number chartId() const { return m_chartId; }
    void setChartId(Number id) { m_chartId = id; }

    /// The functions and constants of the run; the replay adds its own (the plug-in recorder).
    Library& library() { return m_library; }
    const Library& library() const { return m_library; }

private:
    Quotes m_quotes;
    Bars m_visible;
    Bars m_compressed;
    qint64 m_timeFrame = 0;
    int m_run = 0;
    Number m_now = Null;
    QHash<QString, Value> m_variables;
    StaticVariables m_statics;
    QList<TraceLine> m_traces;
    QList<ParamDefault> m_params;
    QHash<QString, QString> m_paramValues;
    QList<Popup> m_popups;
    Number m_refreshSeconds = 0;
    Number m_chartId = 1;
    Library m_library;
};

/// The names the interval constants give to TimeFrameSet.
inline constexpr Number InDaily = 86400;
inline constexpr Number InWeekly = 432001;
inline constexpr Number InMonthly = 2160001;

/// Fills the run's predefined variables: the price arrays of the current time frame (O, H, L,
/// C, V, OI and their long names, Avg), BarCount, and BuyPrice, SellPrice, ShortPrice,
/// CoverPrice (the close). Buy, Sell, Short, Cover, Title and Filter are left unset: reading
/// one before the script assigns it is the interpreter's uninitialised-variable error.
void PresetVariables(Environment& env);

/// The special variables a script assigns for the chart and the analysis.
const QStringList& SpecialVariables();
/// The names that are global inside every function without a declaration, case-folded: the
/// variables PresetVariables sets and the special variables.
const QStringList& GlobalVariables();

} // namespace Sim
