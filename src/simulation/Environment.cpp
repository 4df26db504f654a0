#include "simulation/Environment.h"

#include "simulation/DateTime.h"
#include "simulation/SimTexts.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Sim {

namespace {

constexpr qint64 SecondsPerDay = 86400;

// The bucket of a bar's date-time in a time frame; bars of one bucket make one bar.
qint64 Bucket(Number dateTime, qint64 frame)
{
    const qint64 seconds = qint64(std::floor(dateTime));
    const qint64 day =
        seconds >= 0 ? seconds / SecondsPerDay : -((-seconds + SecondsPerDay - 1) / SecondsPerDay);
    if (frame < SecondsPerDay)
        return day * SecondsPerDay + (seconds - day * SecondsPerDay) / frame * frame;
    if (frame == qint64(InDaily))
        return day;
    if (frame == qint64(InWeekly))
        return (day + 3 - ((day + 3) % 7 + 7) % 7) / 7; // weeks from Monday
    const CivilTime t = DecodeDateTime(dateTime);
    return qint64(t.year) * 12 + t.month;
}

// The date-time a compressed bar carries: the start of an intraday bucket, otherwise the date
// of its last bar.
Number BucketTime(Number lastDateTime, qint64 bucket, qint64 frame)
{
    if (frame < SecondsPerDay)
        return Number(bucket);
    return std::floor(lastDateTime / SecondsPerDay) * SecondsPerDay;
}

Bars Compress(const Bars& bars, qint64 frame)
{
    const qsizetype n = bars.size();
    Bars out;
    for (qsizetype i = 0; i < n;) {
        const qint64 bucket = Bucket(bars.dateTime[i], frame);
        Number high = bars.high[i];
        Number low = bars.low[i];
        Number volume = 0;
        qsizetype j = i;
        for (; j < n && Bucket(bars.dateTime[j], frame) == bucket; ++j) {
            high = std::max(high, bars.high[j]);
            low = std::min(low, bars.low[j]);
            volume += bars.volume[j];
        }
        out.open.append(bars.open[i]);
        out.high.append(high);
        out.low.append(low);
        out.close.append(bars.close[j - 1]);
        out.volume.append(volume);
        out.openInterest.append(bars.openInterest[j - 1]);
        out.dateTime.append(BucketTime(bars.dateTime[j - 1], bucket, frame));
        i = j;
    }
    // Right-aligned: BarCount stays, the first bars are Null.
    const qsizetype pad = n - out.size();
    for (Array* a : {&out.open, &out.high, &out.low, &out.close, &out.volume, &out.openInterest,
                     &out.dateTime})
        a->insert(0, pad, Null);
    return out;
}

void SetPriceVariables(Environment& env)
{
    const Bars& b = env.bars();
    const struct
    {
        const char* names[2];
        const Array& values;
    } prices[] = {
        {{"open", "o"}, b.open},   {{"high", "h"}, b.high},     {{"low", "l"}, b.low},
        {{"close", "c"}, b.close}, {{"volume", "v"}, b.volume}, {{"openint", "oi"}, b.openInterest},
    };
    for (const auto& p : prices) {
        for (const char* name : p.names)
            env.setVariable(QString::fromLatin1(name), Value(p.values));
    }
    Value avg = Apply(BinaryOp::Add, Value(b.high), Value(b.low));
    avg = Apply(BinaryOp::Add, std::move(avg), Value(b.close));
    env.setVariable(u"avg"_s, Apply(BinaryOp::Divide, std::move(avg), Value(3.0)));
}

} // namespace

Value StaticVariables::get(const QString& name, qsizetype barCount) const
{
    const auto it = m_values.constFind(name.toCaseFolded());
    if (it == m_values.cend())
        return Value(Null);
    if (it->isArray() && it->array().size() != barCount)
        return Value(it->toArray(barCount));
    return *it;
}

void StaticVariables::set(const QString& name, Value value)
{
    m_values.insert(name.toCaseFolded(), std::move(value));
}

bool StaticVariables::remove(const QString& name)
{
    return m_values.remove(name.toCaseFolded());
}

bool StaticVariables::contains(const QString& name) const
{
    return m_values.contains(name.toCaseFolded());
}

Environment::Environment()
    : m_library(StandardLibrary())
{}

void Environment::setQuotes(Quotes quotes)
{
    m_quotes = std::move(quotes);
    m_visible = Bars();
    m_compressed = Bars();
    m_timeFrame = 0;
}

void Environment::beginRun(qsizetype barCount, int run)
{
    m_visible = m_quotes.bars.first(std::clamp<qsizetype>(barCount, 0, m_quotes.bars.size()));
    m_compressed = Bars();
    m_timeFrame = 0;
    m_run = run;
    m_variables.clear();
    PresetVariables(*this);
}

void Environment::setTimeFrame(Number interval)
{
    const bool intraday = interval >= 1 && interval < InDaily && interval == std::floor(interval);
    if (!intraday && interval != InDaily && interval != InWeekly && interval != InMonthly)
        throw RunError(Texts::InFunction(u"TimeFrameSet"_s, Texts::UnsupportedInterval(interval)));
    m_timeFrame = qint64(interval);
    m_compressed = Compress(m_visible, m_timeFrame);
    SetPriceVariables(*this);
}

void Environment::restoreTimeFrame()
{
    if (m_timeFrame == 0)
        return;
    m_timeFrame = 0;
    m_compressed = Bars();
    SetPriceVariables(*this);
}

Number Environment::now() const
{
    if (m_now != Null)
        return m_now;
    return m_visible.size() > 0 ? m_visible.dateTime.constLast() : Null;
}

void Environment::setVariable(const QString& name, Value value)
{
    m_variables.insert(name.toCaseFolded(), std::move(value));
}

Value Environment::variable(const QString& name) const
{
    return m_variables.value(name.toCaseFolded());
}

void Environment::setParamValues(const QHash<QString, QString>& values)
{
    m_paramValues.clear();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_paramValues.insert(it.key().toCaseFolded(), it.value());
}

const QString* Environment::paramValue(const QString& name) const
{
    const auto it = m_paramValues.constFind(name.toCaseFolded());
    return it == m_paramValues.cend() ? nullptr : &it.value();
}

void Environment::noteParam(const QString& function, const QString& name, const QString& value,
                            bool given)
{
    for (const ParamDefault& p : m_params)
        if (p.name == name)
            return;
    m_params.append({function, name, value, given});
}

void Environment::popup(const QString& caption, const QString& text)
{
    m_popups.append({bar(), m_run, caption, text});
}

void PresetVariables(Environment& env)
{
    SetPriceVariables(env);
    env.setVariable(u"barcount"_s, Value(Number(env.barCount())));
    const Value close(env.bars().close);
    for (const char* name : {"buyprice", "sellprice", "shortprice", "coverprice"})
        env.setVariable(QString::fromLatin1(name), close);
}

const QStringList& SpecialVariables()
{
    static const QStringList names = {
        u"Buy"_s,          u"Sell"_s,         u"Short"_s,         u"Cover"_s,      u"BuyPrice"_s,
        u"SellPrice"_s,    u"ShortPrice"_s,   u"CoverPrice"_s,    u"Title"_s,      u"Tooltip"_s,
        u"Filter"_s,       u"PositionSize"_s, u"PositionScore"_s, u"NumColumns"_s, u"GraphXSpace"_s,
        u"GraphZOrder"_s,  u"Exclude"_s,      u"RoundLotSize"_s,  u"TickSize"_s,   u"PointValue"_s,
        u"MarginDeposit"_s};
    return names;
}

const QStringList& GlobalVariables()
{
    static const QStringList names = [] {
        Environment env;
        env.beginRun(0);
        QStringList list = env.variables().keys();
        for (const QString& name : SpecialVariables())
            list.append(name.toCaseFolded());
        list.removeDuplicates();
        return list;
    }();
    return names;
}

} // namespace Sim
