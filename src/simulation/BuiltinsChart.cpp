// Parameters (the Param family gives its default or the value the replay gives), and chart, report
// and backtest calls, which run without drawing or testing anything.

#include "simulation/BuiltinHelpers.h"
#include "simulation/DateTime.h"
#include "simulation/SimTexts.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace Sim {

namespace {

using K = ArgKind;

Value Nothing(Call&)
{
    return Value();
}

// Adds a call that has no effect on a run, with the counts and kinds it checks.
void AddNoEffect(Library& library, const QString& name, int minArgs, int maxArgs,
                 QList<ArgKind> kinds)
{
    library.add(name, minArgs, maxArgs, std::move(kinds), Nothing);
}

// Notes the parameter with the value it runs with.
Value Noted(Call& c, Value value, bool given = false)
{
    const QString text = value.isString() ? value.string() : NumberText(value.last());
    c.env().noteParam(c.name(), c.string(0), text, given);
    return value;
}

// The value the replay gives this parameter (argument 0), or nullptr for its default.
const QString* Given(const Call& c)
{
    return c.env().paramValue(c.string(0));
}

// A given value read as a number (a decimal point or comma).
Number GivenNumber(const Call& c, const QString& text)
{
    bool ok = false;
    const Number x = QLocale::c().toDouble(QString(text).replace(u',', u'.').trimmed(), &ok);
    if (!ok)
        c.fail(Texts::BadParamValue(c.string(0), text));
    return x;
}

// The position of a given value in a list of items "a|b|c": an item's name in any letter case,
// or its position as a number.
qsizetype GivenItem(const Call& c, const QStringList& items, const QString& text)
{
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i].compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    const Number index = GivenNumber(c, text);
    if (!(index >= 0 && index < items.size() && index == std::floor(index)))
        c.fail(Texts::BadParamValue(c.string(0), text));
    return qsizetype(index);
}

// A numeric parameter: the given value or the default.
Value NumberParam(Call& c, Number fallback)
{
    if (const QString* text = Given(c))
        return Noted(c, Value(GivenNumber(c, *text)), true);
    return Noted(c, Value(fallback));
}

Value ParamToggle(Call& c)
{
    if (const QString* text = Given(c)) {
        const QStringList items = c.string(1, u"No|Yes"_s).split(u'|');
        return Noted(c, Value(Number(GivenItem(c, items, *text))), true);
    }
    return Noted(c, Value(c.number(2, 0)));
}

Value ParamStr(Call& c)
{
    if (const QString* text = Given(c))
        return Noted(c, Value(*text), true);
    return Noted(c, Value(c.string(1)));
}

Value ParamList(Call& c)
{
    const QStringList items = c.string(1).split(u'|');
    if (const QString* text = Given(c))
        return Noted(c, Value(items[GivenItem(c, items, *text)]), true);
    const Value fallback = c.given(2) ? c.arg(2) : Value(0.0);
    if (fallback.isString())
        return Noted(c, fallback);
    if (!fallback.isNumber())
        c.fail(Texts::WrongArgumentKind(c.name(), 3, Texts::KindNumber, fallback.kindName()));
    const Number index = fallback.number();
    if (!(index >= 0 && index < items.size()))
        c.fail(Texts::ParamListIndex(index, items.size()));
    return Noted(c, Value(items[qsizetype(index)]));
}

// "YYYY-MM-DD", "YYYYMMDD" or "DD.MM.YYYY" as a date-time at midnight; Null when it is none.
Number DateOf(const QString& text)
{
    QString digits = text.trimmed();
    int y = 0, m = 0, d = 0;
    if (digits.size() == 10 && digits[4] == u'-' && digits[7] == u'-') {
        y = digits.left(4).toInt();
        m = digits.mid(5, 2).toInt();
        d = digits.mid(8, 2).toInt();
    } else if (digits.size() == 10 && digits[2] == u'.' && digits[5] == u'.') {
        d = digits.left(2).toInt();
        m = digits.mid(3, 2).toInt();
        y = digits.mid(6, 4).toInt();
    } else if (digits.size() == 8) {
        y = digits.left(4).toInt();
        m = digits.mid(4, 2).toInt();
        d = digits.mid(6, 2).toInt();
    }
    return IsValidDate(y, m, d) ? EncodeDateTime(y, m, d) : Null;
}

Value ParamDate(Call& c)
{
    const QString* given = Given(c);
    const QString text = given ? *given : c.string(1, QString());
    Number date = text.isEmpty() ? std::floor(c.env().now() / 86400) * 86400 : DateOf(text);
    if (IsNull(date))
        c.fail(Texts::QuotesBadDate(text));
    switch (int(c.number(2, 0))) {
    case 0:
        return Noted(c, Value(DateNumOf(DecodeDateTime(date))), given);
    case 1:
        return Noted(c, Value(date), given);
    case 2:
        return Noted(c, Value(DateTimeText(date).left(10)), given);
    default:
        c.fail(Texts::UnknownNowFormat(c.number(2)));
    }
}

Value ParamTime(Call& c)
{
    const QString* given = Given(c);
    const QString text = (given ? *given : c.string(1, u"00:00:00"_s)).trimmed();
    const QStringList parts = text.split(u':');
    bool ok = parts.size() >= 2 && parts.size() <= 3;
    int fields[3] = {0, 0, 0};
    for (qsizetype i = 0; ok && i < parts.size(); ++i)
        fields[i] = parts[i].toInt(&ok);
    if (!ok || fields[0] > 23 || fields[1] > 59 || fields[2] > 59 || fields[0] < 0 ||
        fields[1] < 0 || fields[2] < 0)
        c.fail(Texts::QuotesBadTime(text));
    if (c.number(2, 0) != 0)
        c.fail(Texts::UnknownNowFormat(c.number(2)));
    return Noted(c, Value(Number(fields[0] * 10000 + fields[1] * 100 + fields[2])), given);
}

Value ParamField(Call& c)
{
    const Bars& b = c.env().bars();
    const QString* given = Given(c);
    const int field = int(given ? GivenNumber(c, *given) : c.number(1, 3));
    c.env().noteParam(c.name(), c.string(0), QString::number(field), given);
    const Array* const fields[] = {&b.open, &b.high, &b.low, &b.close, &b.volume, &b.openInterest};
    if (field >= 0 && field < 6)
        return Value(*fields[field]);
    if (field == 6)
        return c.env().variable(u"avg"_s);
    c.fail(Texts::UnknownField(QString::number(field)));
}

} // namespace

void AddChartFunctions(Library& library)
{
    // The Param family.
    library.add(u"Param"_s, 2, 6, {K::String, K::Number},
                [](Call& c) { return NumberParam(c, c.number(1)); });
    library.add(u"ParamToggle"_s, 1, 3, {K::String, K::String, K::Number}, ParamToggle);
    library.add(u"ParamList"_s, 2, 3, {K::String, K::String, K::Any}, ParamList);
    library.add(u"ParamStr"_s, 2, 2, {K::String}, ParamStr);
    library.add(u"ParamColor"_s, 2, 2, {K::String, K::Number},
                [](Call& c) { return NumberParam(c, c.number(1)); });
    library.add(u"ParamStyle"_s, 1, 3, {K::String, K::Number}, [](Call& c) {
        const Value* line = c.env().library().constant(u"styleLine");
        return NumberParam(c, c.number(1, line ? line->number() : 1));
    });
    library.add(u"ParamDate"_s, 1, 3, {K::String, K::String, K::Number}, ParamDate);
    library.add(u"ParamTime"_s, 1, 3, {K::String, K::String, K::Number}, ParamTime);
    library.add(u"ParamField"_s, 1, 2, {K::String, K::Number}, ParamField);

    // Drawing and reports.
    AddNoEffect(library, u"Plot"_s, 2, 9, {K::Numeric, K::String, K::Numeric});
    AddNoEffect(library, u"PlotShapes"_s, 2, 6, {K::Numeric});
    AddNoEffect(library, u"PlotOHLC"_s, 4, 12,
                {K::Numeric, K::Numeric, K::Numeric, K::Numeric, K::String, K::Numeric});
    AddNoEffect(library, u"PlotText"_s, 4, 6, {K::String, K::Number});
    AddNoEffect(library, u"SetChartOptions"_s, 0, 6, {K::Number});
    AddNoEffect(library, u"_SECTION_BEGIN"_s, 1, 1, {K::String});
    AddNoEffect(library, u"_SECTION_END"_s, 0, 0, {});
    AddNoEffect(library, u"AddColumn"_s, 2, 6, {K::Numeric, K::String, K::Number, K::Numeric});
    AddNoEffect(library, u"SetBarsRequired"_s, 0, 2, {K::Number});
    library.add(u"_N"_s, 1, 1, {K::Any}, [](Call& c) { return c.arg(0); });

    // Backtest settings: a chart's run does not test.
    AddNoEffect(library, u"ApplyStop"_s, 3, 8, {K::Numeric});
    AddNoEffect(library, u"SetTradeDelays"_s, 4, 4, {K::Number});
    AddNoEffect(library, u"SetOption"_s, 2, 2, {K::String, K::Any});
    AddNoEffect(library, u"SetPositionSize"_s, 2, 2, {K::Numeric});

    // The chart window.
    library.add(u"GetChartID"_s, 0, 0, {}, [](Call& c) { return Value(c.env().chartId()); });
    library.add(u"RequestTimedRefresh"_s, 1, 2, {K::Number}, [](Call& c) {
        c.env().setRefreshSeconds(c.number(0));
        return Value();
    });
    library.add(u"PopupWindow"_s, 2, 7, {K::String, K::String, K::Number}, [](Call& c) {
        c.env().popup(c.string(1), c.string(0));
        return Value();
    });
}

} // namespace Sim
