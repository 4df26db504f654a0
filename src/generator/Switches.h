#pragma once
// The pieces of the generated script that the safety switches write, and the one definition
// of the order lines they write with _TRACE.

#include "generator/GeneratorSettings.h"

#include <optional>

#include <QString>
#include <QStringList>

namespace Afl {

/// The order lines the switches write to AmiBroker's log. A line is the fields below joined
/// by Separator, with no blanks around them:
///   Prefix, kind, time, security, side, quantity, limit, activation limit
/// and, for the kinds OrderKind and CapKind, one field more: the plug-in's answer (the order
/// identifier, empty when the order was not sent) or the reason the order was held back.
/// The time is "YYYY-MM-DD HH:MM:SS" of the computer's clock; quantity is a whole number,
/// limit and activation limit are written as printf's %g does (0 for none).
namespace OrderTrace {
inline const QString Prefix = QStringLiteral("ORVANTA");
inline constexpr QChar Separator = u'|';
/// An order that test mode did not send.
inline const QString TestKind = QStringLiteral("TEST");
/// A call of the plug-in's order function (the order log).
inline const QString OrderKind = QStringLiteral("ZLECENIE");
/// An order held back because the day's cap was reached; written once a day.
inline const QString CapKind = QStringLiteral("LIMIT");
inline const QString BuySide = QStringLiteral("kupno");
inline const QString SellSide = QStringLiteral("sprzedaż");
/// StrFormat's format of the time from year, month, day, hour, minute and second.
inline const QString TimeFormat = QStringLiteral("%04.0f-%02.0f-%02.0f %02.0f:%02.0f:%02.0f");
/// StrFormat's format of quantity, limit and activation limit.
inline const QString NumbersFormat =
    QStringLiteral("%.0f") + Separator + QStringLiteral("%g") + Separator + QStringLiteral("%g");

/// One line read back.
struct Line
{
    QString kind; ///< TestKind, OrderKind or CapKind
    QString time;
    QString security;
    bool buy = true;
    double quantity = 0;
    double limit = 0;
    double activation = 0;
    /// The last field of OrderKind and CapKind; empty for TestKind.
    QString last;
};

/// Reads a line written as above: Prefix, kind and time from the left, the fields after the
/// security from the right, the security whatever stands between. nullopt for any other text
/// (another prefix or kind, a field missing or unreadable).
std::optional<Line> Read(const QString& text);
} // namespace OrderTrace

/// The first line of a test script (with its line break); empty without test mode.
QString SwitchHeaderLine(const GeneratorSettings& s);
/// The static variable names and the toggle the switches use, after the header's names.
QString SwitchNameLines(const GeneratorSettings& s);
/// The functions orderText and sendOrder, at the end of the declarations; empty when every
/// switch is off.
QString SwitchFunctions(const GeneratorSettings& s);
/// The order of one side through sendOrder: "sendOrder(1, pozycje, limit, activation)".
QString SendOrderCall(bool buy, const QString& quantity, const QString& limit,
                      const QString& activation);
/// The drawing of test mode's orders, at the end of the sell section; empty without it.
QString SwitchPlotLines(const GeneratorSettings& s);

/// The identifiers the switch pieces declare for these settings, after the 19 reserved names;
/// each takes the suffix _plug where the user's script uses it.
QStringList SwitchReservedNames(const SafetySwitches& switches);

} // namespace Afl
