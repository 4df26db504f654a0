#include "simulation/Recorder.h"

#include "simulation/Environment.h"
#include "simulation/Library.h"
#include "simulation/SimTexts.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Sim {

namespace {

using K = ArgKind;

/// Larger quantities are refused: the holding stays a whole number that a double holds exactly.
constexpr Number MaxQuantity = 1e15;

QList<Value> Arguments(const Call& c)
{
    QList<Value> values;
    for (int i = 0; i < c.count(); ++i)
        values.append(c.arg(i));
    return values;
}

QString ArgumentText(const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::String:
        return u'"' + value.string() + u'"';
    case Value::Kind::Number:
        return NumberText(value.number());
    case Value::Kind::Array:
        return NumberText(value.last());
    case Value::Kind::None:
        break;
    }
    return QString();
}

// A row of the log at the run's bar.
OrderRow RowAt(const Environment& env, const QString& function, OrderSide side)
{
    OrderRow row;
    row.bar = env.bar();
    row.run = env.run();
    const Array& times = env.quotes().bars.dateTime;
    row.time = row.bar >= 0 && row.bar < times.size() ? times[row.bar] : Null;
    row.function = function;
    row.side = side;
    return row;
}

} // namespace

QString SideText(OrderSide side)
{
    return side == OrderSide::Buy ? Texts::SideBuy : Texts::SideSell;
}

QString StatusText(OrderStatus status)
{
    switch (status) {
    case OrderStatus::Sent:
        return Texts::StatusSent;
    case OrderStatus::Refused:
        return Texts::StatusRefused;
    case OrderStatus::TestMode:
        break;
    }
    return Texts::StatusTestMode;
}

QString CallText(const PluginCall& call)
{
    QStringList arguments;
    for (const Value& argument : call.arguments)
        arguments.append(ArgumentText(argument));
    QString text = call.function + u'(' + arguments.join(u", "_s) + u')';
    if (!call.answer.isNone())
        text += u" → "_s + ArgumentText(call.answer);
    return text;
}

PluginRecorder::PluginRecorder(Number startingHolding)
    : m_holding(startingHolding)
{}

void PluginRecorder::restart()
{
    m_intervalSet = false;
    m_interval = 0;
    m_onlyReverse = false;
    m_hasLastSide = false;
    m_testHolding = 0;
}

void PluginRecorder::traced(Environment& env, const QString& text)
{
    const std::optional<TracedOrder> line = m_readTrace(text);
    if (!line || line->kind == TracedOrder::Kind::Order)
        return;
    OrderRow row = RowAt(env, u"_TRACE"_s, line->side);
    row.ticker = line->ticker;
    row.quantity = line->quantity;
    row.limit = line->limit;
    row.activation = line->activation;
    if (line->kind == TracedOrder::Kind::Test) {
        m_testMode = true;
        m_testHolding += line->side == OrderSide::Buy ? line->quantity : -line->quantity;
        row.status = OrderStatus::TestMode;
    } else {
        row.status = OrderStatus::Refused;
        row.reason = line->last;
    }
    row.holdingAfter = m_testMode ? m_testHolding : m_holding;
    m_orders.append(std::move(row));
}

void PluginRecorder::record(Environment& env, const QString& function,
                            const QList<Value>& arguments, const Value& answer)
{
    const int bar = env.bar();
    const Array& times = env.quotes().bars.dateTime;
    const Number time = bar >= 0 && bar < times.size() ? times[bar] : Null;
    m_calls.append({bar, time, env.run(), function, arguments, answer});
}

Value PluginRecorder::order(Environment& env, const QString& function, OrderSide side,
                            const QList<Value>& arguments)
{
    OrderRow row = RowAt(env, function, side);
    row.ticker = arguments[0].string();
    row.account = arguments[1].string();
    row.quantity = arguments[2].number();
    row.limit = arguments[3].number();
    row.activation = arguments[4].number();

    const Number chart = Number(env.quotes().interval);
    if (m_intervalSet && chart != m_interval) {
        row.reason =
            Texts::RefusedInterval(Texts::IntervalText(chart), Texts::IntervalText(m_interval));
    } else if (m_onlyReverse && m_hasLastSide && side == m_lastSide) {
        row.reason = side == OrderSide::Buy ? Texts::RefusedSecondBuy : Texts::RefusedSecondSell;
    } else if (!(row.quantity >= 1 && row.quantity < MaxQuantity) ||
               row.quantity != std::floor(row.quantity)) {
        row.reason = Texts::RefusedQuantity(NumberText(row.quantity));
    }

    if (row.reason.isEmpty()) {
        row.status = OrderStatus::Sent;
        row.answer = u"SIM-"_s + QString::number(++m_sent);
        m_holding += side == OrderSide::Buy ? row.quantity : -row.quantity;
        m_hasLastSide = true;
        m_lastSide = side;
    } else {
        row.status = OrderStatus::Refused;
    }
    row.holdingAfter = m_holding;
    const Value answer(row.answer);
    m_orders.append(std::move(row));
    record(env, function, arguments, answer);
    return answer;
}

void PluginRecorder::install(Environment& env)
{
    Library& library = env.library();
    if (m_readTrace) {
        library.add(u"_TRACE"_s, 1, 1, {K::String}, [this](Call& c) {
            c.env().trace(c.string(0));
            traced(c.env(), c.string(0));
            return Value();
        });
    }
    library.add(u"voxInit"_s, 0, 0, {}, [this](Call& c) {
        record(c.env(), c.name(), {}, Value());
        return Value();
    });
    library.add(u"voxAddTicker"_s, 1, 1, {K::String}, [this](Call& c) {
        record(c.env(), c.name(), Arguments(c), Value());
        return Value();
    });
    library.add(u"voxSetInterval"_s, 2, 2, {K::String, K::Number}, [this](Call& c) {
        m_intervalSet = true;
        m_interval = c.number(1);
        record(c.env(), c.name(), Arguments(c), Value());
        return Value();
    });
    library.add(u"voxOnlyReverse"_s, 2, 2, {K::String, K::Number}, [this](Call& c) {
        m_onlyReverse = IsTrue(c.number(1));
        record(c.env(), c.name(), Arguments(c), Value());
        return Value();
    });
    library.add(u"voxPositions"_s, 1, 1, {K::String}, [this](Call& c) {
        const Value answer(m_holding);
        record(c.env(), c.name(), Arguments(c), answer);
        return answer;
    });
    const struct
    {
        QString name;
        OrderSide side;
    } orders[] = {
        {u"voxBuy"_s, OrderSide::Buy},
        {u"voxSell"_s, OrderSide::Sell},
        {u"voxBuyPEG"_s, OrderSide::Buy},
        {u"voxSellPEG"_s, OrderSide::Sell},
    };
    for (const auto& o : orders) {
        library.add(o.name, 5, 5, {K::String, K::String, K::Number, K::Number, K::Number},
                    [this, side = o.side](Call& c) {
                        return order(c.env(), c.name(), side, Arguments(c));
                    });
    }
}

} // namespace Sim
