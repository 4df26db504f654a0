// What a run reads of its bars and keeps between runs: Name, Foreign, the time frame, static
// variables, _TRACE, dates and times, bar indices, last values and Null tests.

#include "simulation/BuiltinHelpers.h"
#include "simulation/DateTime.h"
#include "simulation/SimTexts.h"

using namespace Qt::Literals::StringLiterals;

namespace Sim {

namespace {

using K = ArgKind;

Value Foreign(Call& c)
{
    const QString& ticker = c.string(0);
    if (ticker.compare(c.env().ticker(), Qt::CaseInsensitive) != 0 || ticker.isEmpty())
        c.fail(Texts::ForeignTicker(ticker, c.env().ticker()));
    const Bars& b = c.env().bars();
    const QString field = c.string(1).trimmed().toLower();
    if (field == u"open" || field == u"o")
        return Value(b.open);
    if (field == u"high" || field == u"h")
        return Value(b.high);
    if (field == u"low" || field == u"l")
        return Value(b.low);
    if (field == u"close" || field == u"c")
        return Value(b.close);
    if (field == u"volume" || field == u"v")
        return Value(b.volume);
    if (field == u"openint" || field == u"oi" || field == u"i")
        return Value(b.openInterest);
    c.fail(Texts::UnknownField(c.string(1)));
}

// A calendar field of every bar's date-time.
template <typename F> void AddCalendar(Library& library, const QString& name, F field)
{
    library.add(name, 0, 0, {}, [field](Call& c) {
        const Array& times = c.env().bars().dateTime;
        Array out(times.size(), Null);
        Number* const o = out.data();
        for (qsizetype i = 0; i < times.size(); ++i)
            if (!IsNull(times[i]))
                o[i] = field(DecodeDateTime(times[i]));
        return Value(std::move(out));
    });
}

Value Now(Call& c)
{
    const Number now = c.env().now();
    if (IsNull(now))
        return Value(Null);
    const CivilTime t = DecodeDateTime(now);
    switch (int(c.number(0, 0))) {
    case 0:
        return Value(DateTimeText(now));
    case 1:
        return Value(DateTimeText(now).left(10));
    case 2:
        return Value(DateTimeText(now).mid(11));
    case 3:
        return Value(DateNumOf(t));
    case 4:
        return Value(TimeNumOf(t));
    case 5:
        return Value(now);
    case 6:
        return Value(Number(t.day));
    case 7:
        return Value(Number(t.month));
    case 8:
        return Value(Number(t.year));
    case 9:
        return Value(Number(t.dayOfWeek + 1));
    case 10:
        return Value(
            Number(DaysFromCivil(t.year, t.month, t.day) - DaysFromCivil(t.year, 1, 1) + 1));
    default:
        c.fail(Texts::UnknownNowFormat(c.number(0)));
    }
}

Value LastOf(Call& c)
{
    const Value& v = c.arg(0);
    return v.isArray() ? Value(v.last()) : v;
}

} // namespace

void AddRunFunctions(Library& library)
{
    library.add(u"Name"_s, 0, 0, {}, [](Call& c) { return Value(c.env().ticker()); });
    library.add(u"Foreign"_s, 2, 3, {K::String, K::String, K::Number}, Foreign);
    library.add(u"TimeFrameSet"_s, 1, 1, {K::Number}, [](Call& c) {
        c.env().setTimeFrame(c.number(0));
        return Value();
    });
    library.add(u"TimeFrameRestore"_s, 0, 0, {}, [](Call& c) {
        c.env().restoreTimeFrame();
        return Value();
    });
    library.add(u"Interval"_s, 0, 1, {K::Number}, [](Call& c) {
        if (c.number(0, 0) != 0)
            c.fail(Texts::UnknownNowFormat(c.number(0)));
        return Value(Number(c.env().interval()));
    });

    // Static variables.
    library.add(u"StaticVarGet"_s, 1, 2, {K::String, K::Number},
                [](Call& c) { return c.env().statics().get(c.string(0), c.barCount()); });
    library.add(u"StaticVarSet"_s, 2, 4, {K::String, K::Any, K::Number}, [](Call& c) {
        if (c.arg(1).isString())
            c.fail(Texts::StaticTextNeedsText);
        c.env().statics().set(c.string(0), c.arg(1));
        return Value(1.0);
    });
    library.add(u"StaticVarGetText"_s, 1, 1, {K::String}, [](Call& c) {
        if (!c.env().statics().contains(c.string(0)))
            return Value(QString());
        const Value v = c.env().statics().get(c.string(0), c.barCount());
        return v.isString() ? v : Value(NumberText(v.last()));
    });
    library.add(u"StaticVarSetText"_s, 2, 3, {K::String, K::String, K::Number}, [](Call& c) {
        c.env().statics().set(c.string(0), c.arg(1));
        return Value(1.0);
    });
    library.add(u"StaticVarRemove"_s, 1, 1, {K::String}, [](Call& c) {
        c.env().statics().remove(c.string(0));
        return Value();
    });

    library.add(u"_TRACE"_s, 1, 1, {K::String}, [](Call& c) {
        c.env().trace(c.string(0));
        return Value();
    });

    // Dates and times.
    library.add(u"Now"_s, 0, 1, {K::Number}, Now);
    library.add(u"DateTime"_s, 0, 0, {}, [](Call& c) { return Value(c.env().bars().dateTime); });
    library.add(u"DateTimeDiff"_s, 2, 2, {K::Numeric},
                [](Call& c) { return Apply(BinaryOp::Subtract, c.arg(0), c.arg(1)); });
    AddCalendar(library, u"DateNum"_s, DateNumOf);
    AddCalendar(library, u"TimeNum"_s, TimeNumOf);
    AddCalendar(library, u"Year"_s, [](const CivilTime& t) { return Number(t.year); });
    AddCalendar(library, u"Month"_s, [](const CivilTime& t) { return Number(t.month); });
    AddCalendar(library, u"Day"_s, [](const CivilTime& t) { return Number(t.day); });
    AddCalendar(library, u"Hour"_s, [](const CivilTime& t) { return Number(t.hour); });
    AddCalendar(library, u"Minute"_s, [](const CivilTime& t) { return Number(t.minute); });
    AddCalendar(library, u"Second"_s, [](const CivilTime& t) { return Number(t.second); });
    AddCalendar(library, u"DayOfWeek"_s, [](const CivilTime& t) { return Number(t.dayOfWeek); });
    library.add(u"BarIndex"_s, 0, 0, {}, [](Call& c) {
        Array out(c.barCount(), 0);
        Number* const o = out.data();
        for (qsizetype i = 0; i < out.size(); ++i)
            o[i] = Number(i);
        return Value(std::move(out));
    });

    // Single values and Null.
    for (const QString& name : {u"LastValue"_s, u"SelectedValue"_s, u"EndValue"_s})
        library.add(name, 1, 2, {K::Any, K::Number}, LastOf);
    library.add(u"Nz"_s, 1, 2, {K::Numeric, K::Number}, [](Call& c) {
        const Number fallback = c.number(1, 0);
        const Value& x = c.arg(0);
        return ByBar(c, 1, [&](qsizetype i) { return IsNull(x.at(i)) ? fallback : x.at(i); });
    });
    for (const QString& name : {u"IsNull"_s, u"IsEmpty"_s}) {
        library.add(name, 1, 1, {K::Numeric}, [](Call& c) {
            const Value& x = c.arg(0);
            return ByBar(c, 1, [&](qsizetype i) -> Number { return IsNull(x.at(i)) ? 1 : 0; });
        });
    }
    library.add(u"IsTrue"_s, 1, 1, {K::Numeric}, [](Call& c) {
        const Value& x = c.arg(0);
        return ByBar(c, 1, [&](qsizetype i) -> Number { return IsTrue(x.at(i)) ? 1 : 0; });
    });
}

} // namespace Sim
