#include "generator/Switches.h"

#include "generator/GeneratorTexts.h"
#include "generator/SectionText.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace Afl {

namespace {

// An AFL string literal of text that holds no quote or backslash.
QString Literal(const QString& text)
{
    return u'"' + text + u'"';
}

// orderText's call for kind, as an AFL expression.
QString OrderTextCall(const QString& kind)
{
    return u"orderText("_s + Literal(kind) + u", bs, qty, lim, lAkt)"_s;
}

// An AFL expression: the separator and the value of expression as the line's last field.
QString LastField(const QString& expression)
{
    return u" + \""_s + OrderTrace::Separator + u"\" + "_s + expression;
}

// The same with a fixed text as the last field.
QString LastText(const QString& text)
{
    return u" + "_s + Literal(OrderTrace::Separator + text);
}

bool WritesTrace(const SafetySwitches& w)
{
    return w.testMode || w.orderLog || w.dailyCap > 0;
}

void WriteOrderText(LineWriter& w)
{
    const QString sep = QString(OrderTrace::Separator);
    w.line();
    w.commentLine(Texts::OrderTextComment);
    w.line(u"function orderText(kind, bs, qty, lim, lAkt)"_s);
    w.line(u"{"_s);
    w.line(u"  local side;"_s);
    w.line(u"  local tn;"_s);
    w.line(u"  local stamp;"_s);
    w.line(u"  side = "_s + Literal(OrderTrace::SellSide) + u";"_s);
    w.line(u"  if(bs) side = "_s + Literal(OrderTrace::BuySide) + u";"_s);
    w.line(u"  tn = Now(4);"_s);
    w.line(u"  stamp = StrFormat("_s + Literal(OrderTrace::TimeFormat) +
           u", Now(8), Now(7), Now(6), floor(tn / 10000), floor(tn / 100) % 100, tn % 100);"_s);
    w.line(u"  return "_s + Literal(OrderTrace::Prefix + sep) + u" + kind + "_s + Literal(sep) +
           u" + stamp + "_s + Literal(sep) + u" + symbol + "_s + Literal(sep) + u" + side + "_s +
           Literal(sep) + u" + StrFormat("_s + Literal(OrderTrace::NumbersFormat) +
           u", qty, lim, lAkt);"_s);
    w.line(u"}"_s);
}

void WriteSendOrder(LineWriter& w, const GeneratorSettings& s)
{
    const SafetySwitches& on = s.switches;
    const QString cap = QString::number(on.dailyCap);
    w.line();
    w.commentLine(Texts::SendOrderComment);
    w.line(u"function sendOrder(bs, qty, lim, lAkt)"_s);
    w.line(u"{"_s);
    w.line(u"  local id;"_s);
    if (on.dailyCap > 0)
        w.line(u"  local sent;"_s);
    if (on.testMode)
        w.line(u"  local marks;"_s);
    if (on.masterSwitch)
        w.line(u"  if(ordersOn == 0) return \"\";"_s, Texts::SwitchOffComment);
    if (on.dailyCap > 0) {
        w.line(u"  sent = Nz(StaticVarGet(svDayOrders));"_s);
        w.line(u"  if(sent >= "_s + cap + u")"_s, Texts::CapReachedComment);
        w.line(u"  {"_s);
        w.line(u"    if(sent == "_s + cap + u") _TRACE("_s + OrderTextCall(OrderTrace::CapKind) +
               LastText(Texts::CapReason.arg(cap)) + u");"_s);
        w.line(u"    StaticVarSet(svDayOrders, "_s + QString::number(on.dailyCap + 1) + u");"_s);
        w.line(u"    return \"\";"_s);
        w.line(u"  }"_s);
    }
    if (on.testMode) {
        w.line(u"  _TRACE("_s + OrderTextCall(OrderTrace::TestKind) + u");"_s,
               Texts::TestTraceComment);
        w.line(u"  StaticVarSet(svTestPos, Nz(StaticVarGet(svTestPos)) + (2 * bs - 1) * qty);"_s,
               Texts::TestHoldingUpdateComment);
        w.line(u"  marks = Nz(StaticVarGet(svTestMarks));"_s);
        w.line(u"  marks[BarCount - 1] = 2 * bs - 1;"_s, Texts::TestMarkComment);
        w.line(u"  StaticVarSet(svTestMarks, marks);"_s);
        w.line(u"  id = "_s + Literal(OrderTrace::TestKind) + u";"_s);
    } else {
        w.line(u"  if(bs) id = "_s +
               PluginOrderCall(s, u"voxBuy"_s, u"qty"_s, u"lim"_s, u"lAkt"_s) + u";"_s);
        w.line(u"  else id = "_s + PluginOrderCall(s, u"voxSell"_s, u"qty"_s, u"lim"_s, u"lAkt"_s) +
               u";"_s);
        if (on.orderLog)
            w.line(u"  _TRACE("_s + OrderTextCall(OrderTrace::OrderKind) + LastField(u"id"_s) +
                       u");"_s,
                   Texts::OrderLogComment);
    }
    if (on.dailyCap > 0)
        w.line(u"  if(StrLen(id)>0) StaticVarSet(svDayOrders, sent + 1);"_s, Texts::CountComment);
    w.line(u"  return id;"_s);
    w.line(u"}"_s);
}

} // namespace

std::optional<OrderTrace::Line> OrderTrace::Read(const QString& text)
{
    const QStringList fields = text.split(Separator);
    if (fields.size() < 8 || fields[0] != Prefix)
        return std::nullopt;
    Line line;
    line.kind = fields[1];
    line.time = fields[2];
    const qsizetype tail = line.kind == TestKind ? 4 : 5;
    if (line.kind != TestKind && line.kind != OrderKind && line.kind != CapKind)
        return std::nullopt;
    if (fields.size() < 4 + tail)
        return std::nullopt;
    const qsizetype side = fields.size() - tail;
    line.security = fields.mid(3, side - 3).join(Separator);
    if (fields[side] != BuySide && fields[side] != SellSide)
        return std::nullopt;
    line.buy = fields[side] == BuySide;
    bool ok[3] = {false, false, false};
    line.quantity = QLocale::c().toDouble(fields[side + 1], &ok[0]);
    line.limit = QLocale::c().toDouble(fields[side + 2], &ok[1]);
    line.activation = QLocale::c().toDouble(fields[side + 3], &ok[2]);
    if (!ok[0] || !ok[1] || !ok[2])
        return std::nullopt;
    if (tail == 5)
        line.last = fields.last();
    return line;
}

QString SwitchHeaderLine(const GeneratorSettings& s)
{
    return s.switches.testMode ? Texts::TestHeaderLine + CrLf : QString();
}

QString SwitchNameLines(const GeneratorSettings& s)
{
    const SafetySwitches& on = s.switches;
    LineWriter w(s.comments);
    if (on.testMode) {
        w.line(u"svTestPos = \"TestPos\" + symbol + chartID;"_s, Texts::TestPosComment);
        w.line(u"svTestMarks = \"TestMarks\" + symbol + chartID;"_s, Texts::TestMarksComment);
    }
    if (on.dailyCap > 0)
        w.line(u"svDayOrders = \"DayOrders\" + symbol + chartID + NumToStr(Now(3), 1.0, False);"_s,
               Texts::DayOrdersComment);
    if (on.masterSwitch)
        w.line(u"ordersOn = ParamToggle("_s + Literal(Texts::ToggleName) + u", "_s +
                   Literal(Texts::ToggleValues) + u", 0);"_s,
               Texts::ToggleComment);
    return w.text();
}

QString SwitchFunctions(const GeneratorSettings& s)
{
    if (!s.switches.any())
        return QString();
    LineWriter w(s.comments);
    if (WritesTrace(s.switches))
        WriteOrderText(w);
    WriteSendOrder(w, s);
    return w.text();
}

QString SendOrderCall(bool buy, const QString& quantity, const QString& limit,
                      const QString& activation)
{
    return u"sendOrder("_s + (buy ? u"1"_s : u"0"_s) + u", "_s + quantity + u", "_s + limit +
           u", "_s + activation + u")"_s;
}

QString SwitchPlotLines(const GeneratorSettings& s)
{
    if (!s.switches.testMode)
        return QString();
    LineWriter w(s.comments);
    w.commentLine(Texts::TestPlotComment);
    w.line(u"testOrders = Nz(StaticVarGet(svTestMarks));"_s);
    w.line(u"PlotShapes(IIf(testOrders > 0, shapeHollowUpTriangle, shapeNone), colorBlue, 0, "
           u"Low, -30);"_s);
    w.line(u"PlotShapes(IIf(testOrders < 0, shapeHollowDownTriangle, shapeNone), colorBlue, 0, "
           u"High, -30);"_s);
    w.line();
    return w.text();
}

QStringList SwitchReservedNames(const SafetySwitches& switches)
{
    QStringList names;
    if (switches.testMode)
        names << u"svTestPos"_s << u"svTestMarks"_s << u"testOrders"_s;
    if (switches.dailyCap > 0)
        names << u"svDayOrders"_s;
    if (switches.masterSwitch)
        names << u"ordersOn"_s;
    if (WritesTrace(switches))
        names << u"orderText"_s;
    if (switches.any())
        names << u"sendOrder"_s;
    return names;
}

} // namespace Afl
