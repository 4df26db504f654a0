#pragma once
// The broker's plug-in replaced by a recorder: the vox… functions of the generated script keep
// their safeguards, answer as the plug-in would, and every call is written down.

#include "simulation/Value.h"

#include <functional>
#include <optional>

#include <QList>
#include <QString>

namespace Sim {

class Environment;

enum class OrderSide : quint8
{
    Buy,
    Sell,
};

enum class OrderStatus : quint8
{
    /// Accepted: an identifier returned, the holding changed.
    Sent,
    /// Refused by a safeguard or an invalid quantity: an empty answer, the holding unchanged.
    Refused,
    /// Written by a test-mode script to its log instead of being sent.
    TestMode,
};

/// One order of the log: a call of voxBuy, voxSell, voxBuyPEG or voxSellPEG, or an order line a
/// script wrote with _TRACE instead (test mode's order, an order the daily cap held back).
struct OrderRow
{
    int bar = 0;        ///< 0-based bar of the quotes
    Number time = Null; ///< the bar's date-time
    int run = 0;        ///< 0-based refresh of that bar
    QString function;   ///< "voxBuy", "voxSellPEG", ..., "_TRACE" for an order line
    OrderSide side = OrderSide::Buy;
    QString ticker;
    QString account;
    Number quantity = 0;
    Number limit = 0;
    Number activation = 0;
    /// "SIM-n" when sent; empty otherwise.
    QString answer;
    Number holdingAfter = 0;
    OrderStatus status = OrderStatus::Sent;
    /// Why it was refused; empty otherwise.
    QString reason;
};

/// An order line a script wrote with _TRACE, as the caller's reader understood it.
struct TracedOrder
{
    enum class Kind : quint8
    {
        /// An order test mode wrote instead of sending it.
        Test,
        /// A plug-in call the script logged (the recorder has the call already).
        Order,
        /// An order held back by the script's daily cap.
        Cap,
    };
    Kind kind = Kind::Test;
    OrderSide side = OrderSide::Buy;
    QString ticker;
    Number quantity = 0;
    Number limit = 0;
    Number activation = 0;
    /// The plug-in's answer (Order) or why the order was held back (Cap).
    QString last;
};

/// Reads a _TRACE text: the order line it is, or nullopt when it is none. The line format
/// belongs to whoever writes the script, so the replay's caller gives the reader.
using TraceReader = std::function<std::optional<TracedOrder>(const QString& text)>;

/// Any call of a plug-in function, with its arguments and answer (none when it gives nothing).
struct PluginCall
{
    int bar = 0;
    Number time = Null;
    int run = 0;
    QString function;
    QList<Value> arguments;
    Value answer;
};

/// "kupno", "sprzedaż".
QString SideText(OrderSide side);
/// "wysłane", "odrzucone", "niewysłane (tryb testowy)".
QString StatusText(OrderStatus status);
/// `voxBuy("", "", 10, 101.5, 0) → "SIM-1"`: a call as the script wrote it, with its answer.
QString CallText(const PluginCall& call);

/// The simulated plug-in of one chart and one security. install() adds its functions to a
/// run's library; they record into this object, which must outlive the runs.
///
/// Rules (docs/decisions/simulation.md): voxSetInterval makes every later order on a chart of
/// another interval refused; voxOnlyReverse(name, 1) refuses an order of the same side as the
/// last one sent; voxPositions answers the holding; an order that passes gets "SIM-n" and moves
/// the holding by its quantity at once. Other vox… functions are not there: calling one stops
/// the run as an unknown function does. With a trace reader, _TRACE order lines become rows
/// too: a test-mode order a TestMode row moving the test holding (the script's own, kept in a
/// static variable), an order the daily cap held back a refused row with the cap's reason.
class PluginRecorder
{
public:
    explicit PluginRecorder(Number startingHolding = 0);

    /// Set before install(): the reader of _TRACE order lines.
    void setTraceReader(TraceReader reader) { m_readTrace = std::move(reader); }
    void install(Environment& env);

    /// AmiBroker was closed and opened again: the plug-in forgets its settings (interval, only
    /// alternate orders) and the side of the last order; the holding, on the broker's account,
    /// stays, and so does the numbering of identifiers. The test holding, a static variable of
    /// the script, is forgotten.
    void restart();

    Number holding() const { return m_holding; }
    /// The holding of test mode's orders: 0 until the first, moved by each.
    Number testHolding() const { return m_testHolding; }
    const QList<OrderRow>& orders() const { return m_orders; }
    const QList<PluginCall>& calls() const { return m_calls; }

private:
    Value order(Environment& env, const QString& function, OrderSide side,
                const QList<Value>& arguments);
    void record(Environment& env, const QString& function, const QList<Value>& arguments,
                const Value& answer);
    void traced(Environment& env, const QString& text);

    Number m_holding = 0;
    /// The interval voxSetInterval asked for, when it was called.
    bool m_intervalSet = false;
    Number m_interval = 0;
    bool m_onlyReverse = false;
    bool m_hasLastSide = false;
    OrderSide m_lastSide = OrderSide::Buy;
    int m_sent = 0;
    QList<OrderRow> m_orders;
    QList<PluginCall> m_calls;
    TraceReader m_readTrace;
    Number m_testHolding = 0;
    bool m_testMode = false;
};

} // namespace Sim
