#include "chart/Geometry.h"

#include "chart/ChartTexts.h"
#include "simulation/DateTime.h"
#include "simulation/SimTexts.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QHash>
#include <QLocale>

namespace Chart {

namespace {

qint64 FloorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

/// A step of the time axis: a tick goes on each bar that starts a new period of the step.
struct TimeStep
{
    enum class Unit : quint8
    {
        Seconds,
        Days,
        Weeks,
        Months,
        Years,
    };
    Unit unit;
    int count;
};

constexpr TimeStep TimeSteps[] = {
    {TimeStep::Unit::Seconds, 60},    {TimeStep::Unit::Seconds, 300},
    {TimeStep::Unit::Seconds, 900},   {TimeStep::Unit::Seconds, 1800},
    {TimeStep::Unit::Seconds, 3600},  {TimeStep::Unit::Seconds, 7200},
    {TimeStep::Unit::Seconds, 14400}, {TimeStep::Unit::Days, 1},
    {TimeStep::Unit::Weeks, 1},       {TimeStep::Unit::Weeks, 2},
    {TimeStep::Unit::Months, 1},      {TimeStep::Unit::Months, 3},
    {TimeStep::Unit::Months, 6},      {TimeStep::Unit::Years, 1},
    {TimeStep::Unit::Years, 2},       {TimeStep::Unit::Years, 5},
    {TimeStep::Unit::Years, 10},      {TimeStep::Unit::Years, 100},
};

struct BarTime
{
    qint64 seconds = 0;
    qint64 day = 0;
    Sim::CivilTime civil;
};

qint64 Period(const TimeStep& step, const BarTime& t)
{
    switch (step.unit) {
    case TimeStep::Unit::Seconds:
        return FloorDiv(t.seconds, step.count);
    case TimeStep::Unit::Days:
        return FloorDiv(t.day, step.count);
    case TimeStep::Unit::Weeks:
        // 1970-01-01 was a Thursday: weeks start on Monday.
        return FloorDiv(t.day + 3, 7LL * step.count);
    case TimeStep::Unit::Months:
        return FloorDiv(t.civil.year * 12LL + t.civil.month - 1, step.count);
    case TimeStep::Unit::Years:
        return FloorDiv(t.civil.year, step.count);
    }
    return 0;
}

QString TwoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString DateText(const Sim::CivilTime& c)
{
    return QStringLiteral("%1.%2.%3").arg(TwoDigits(c.day), TwoDigits(c.month)).arg(c.year);
}

/// A tick's label: the time of day within a day, the day where a day starts, the month or the
/// year for long steps.
QString TimeLabel(const TimeStep& step, const BarTime& t, bool newDay)
{
    const Sim::CivilTime& c = t.civil;
    switch (step.unit) {
    case TimeStep::Unit::Seconds:
        if (!newDay)
            return TwoDigits(c.hour) + u':' + TwoDigits(c.minute);
        [[fallthrough]];
    case TimeStep::Unit::Days:
    case TimeStep::Unit::Weeks:
        return TwoDigits(c.day) + u'.' + TwoDigits(c.month);
    case TimeStep::Unit::Months:
        return TwoDigits(c.month) + u'.' + QString::number(c.year);
    case TimeStep::Unit::Years:
        break;
    }
    return QString::number(c.year);
}

QString NumberLabel(double value, int decimals)
{
    QLocale polish(QLocale::Polish, QLocale::Poland);
    polish.setNumberOptions(QLocale::OmitGroupSeparator);
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0; // no "-0"
    return polish.toString(value, 'f', decimals);
}

/// The fewest decimals that write `step` exactly (at most 6).
int DecimalsOf(double step)
{
    for (int d = 0; d < 6; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled))
            return d;
    }
    return 6;
}

/// Maps a value range onto pixels, bottom > top.
struct Scale
{
    double low = 0;
    double high = 1;
    double bottom = 1;
    double top = 0;

    double operator()(double v) const
    {
        return high > low ? bottom - (v - low) / (high - low) * (bottom - top) : (top + bottom) / 2;
    }
};

/// A scale that puts [low, high] between top + pad and bottom - pad of [top, bottom].
Scale Padded(double low, double high, double top, double bottom, double pad)
{
    if (!(high > low)) {
        const double half = std::max(std::fabs(low) * 0.01, 0.5);
        low -= half;
        high += half;
    }
    const double inner = std::max(bottom - top - 2 * pad, 1.0);
    const double perPixel = (high - low) / inner;
    return {low - pad * perPixel, high + pad * perPixel, bottom, top};
}

double TicksWidth(const QList<Tick>& ticks, const QFontMetricsF& metrics)
{
    double width = 0;
    for (const Tick& tick : ticks)
        width = std::max(width, metrics.horizontalAdvance(tick.label));
    return width;
}

} // namespace

int ColumnOf(qsizetype bar, qsizetype bars, int columns)
{
    if (bars <= 0 || columns <= 0)
        return 0;
    return int(std::clamp<qsizetype>(bar, 0, bars - 1) * columns / bars);
}

QList<Tick> ValueTicks(double low, double high, double bottom, double top, double spacing)
{
    QList<Tick> ticks;
    if (!(high > low) || !(bottom > top) || !std::isfinite(high - low))
        return ticks;
    const int most = std::max(2, int((bottom - top) / std::max(spacing, 1.0)));
    const double raw = (high - low) / most;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (factor * magnitude >= raw) {
            step = factor * magnitude;
            break;
        }
    }
    const int decimals = DecimalsOf(step);
    const Scale scale{low, high, bottom, top};
    for (double k = std::ceil(low / step - 1e-9); k * step <= high + step * 1e-9; ++k) {
        const double value = k * step;
        ticks.append({scale(value), NumberLabel(value, decimals)});
    }
    return ticks;
}

Geometry Layout(const Sim::Quotes& quotes, const Sim::ReplayResult& result, const QRectF& bounds,
                const QFont& font)
{
    Geometry g;
    g.bounds = bounds;
    g.font = font;
    const QFontMetricsF metrics(font);
    const double em = metrics.height();
    const double margin = std::round(em * 0.7);
    const Sim::Bars& bars = quotes.bars;
    const qsizetype n = bars.size();
    const int barsRun = int(std::clamp<qsizetype>(result.barsRun, 0, n));

    // Header: the title on the left, the legend on the right.
    const double headerHeight = std::round(em * 1.8);
    const double baseline = bounds.top() + margin + metrics.ascent();
    g.markerSize = std::round(em * 0.6);
    {
        auto add = [&](LegendKind kind, const QString& text) {
            g.legend.append({kind, text, {}, {}});
        };
        add(LegendKind::Buy, Sim::Texts::SideBuy);
        add(LegendKind::Sell, Sim::Texts::SideSell);
        auto any = [&](Sim::OrderStatus status) {
            return std::any_of(result.orders.begin(), result.orders.end(),
                               [status](const Sim::OrderRow& r) { return r.status == status; });
        };
        if (any(Sim::OrderStatus::TestMode))
            add(LegendKind::TestMode, Texts::LegendTestMode);
        if (any(Sim::OrderStatus::Refused))
            add(LegendKind::Refused, Texts::LegendRefused);
        if (!result.restarts.isEmpty())
            add(LegendKind::Restart, Texts::LegendRestart);
        if (barsRun < n)
            add(LegendKind::NotRun, Texts::LegendNotRun);
    }
    const double symbolGap = em * 0.35;
    const double itemGap = em * 1.1;
    auto legendWidth = [&] {
        double width = 0;
        for (const LegendItem& item : g.legend)
            width += g.markerSize + symbolGap + metrics.horizontalAdvance(item.text) + itemGap;
        return width;
    };
    const double headerWidth = bounds.width() - 2 * margin;
    while (!g.legend.isEmpty() && legendWidth() > headerWidth * 0.7)
        g.legend.removeLast();
    double x = bounds.right() - margin - std::max(0.0, legendWidth() - itemGap);
    for (LegendItem& item : g.legend) {
        item.symbol = QRectF(x, baseline - metrics.ascent() / 2 - g.markerSize / 2 + 1,
                             g.markerSize, g.markerSize);
        item.textAt = QPointF(x + g.markerSize + symbolGap, baseline);
        x += g.markerSize + symbolGap + metrics.horizontalAdvance(item.text) + itemGap;
    }
    QString title; // no quotes: the price area says so
    if (n > 0) {
        const Sim::CivilTime first = Sim::DecodeDateTime(bars.dateTime.first());
        const Sim::CivilTime last = Sim::DecodeDateTime(bars.dateTime.last());
        title = Texts::Title(quotes.ticker.isEmpty() ? Texts::NoTicker : quotes.ticker,
                             Texts::Interval(quotes.interval), DateText(first), DateText(last));
    }
    QFont bold = font;
    bold.setBold(true);
    const double titleRoom = std::max(0.0, headerWidth - legendWidth() - em);
    g.title = QFontMetricsF(bold).elidedText(title, Qt::ElideRight, titleRoom);
    g.titleAt = QPointF(bounds.left() + margin, baseline);

    // Areas, top to bottom: price, a gap, the holding strip, the time axis.
    const double plotTop = bounds.top() + margin + headerHeight;
    const double axisHeight = std::round(em * 1.5);
    const double plotBottom = std::max(plotTop, bounds.bottom() - margin - axisHeight);
    // The gap holds the strip's caption.
    const double gap = std::round(em * 1.5);
    const double plotHeight = std::max(0.0, plotBottom - plotTop - gap);
    const double holdingHeight =
        std::round(std::clamp(plotHeight * 0.22, std::min(em * 3.5, plotHeight / 2), em * 9));
    const double priceBottom = plotTop + plotHeight - holdingHeight;
    const double holdingTop = priceBottom + gap;

    // Value scales and their ticks decide the width of the axis on the right.
    double low = 0;
    double high = 0;
    if (n > 0) {
        low = *std::min_element(bars.low.begin(), bars.low.end());
        high = *std::max_element(bars.high.begin(), bars.high.end());
    }
    const double markerRoom = g.markerSize * 2.4 + 2;
    const Scale price = Padded(low, high, plotTop, priceBottom, markerRoom);
    if (n > 0)
        g.priceTicks = ValueTicks(price.low, price.high, price.bottom, price.top, em * 2.8);
    double holdLow = 0;
    double holdHigh = 0;
    for (int i = 0; i < std::min<qsizetype>(barsRun, result.holdingByBar.size()); ++i) {
        holdLow = std::min(holdLow, result.holdingByBar[i]);
        holdHigh = std::max(holdHigh, result.holdingByBar[i]);
    }
    if (!(holdHigh > holdLow))
        holdHigh = holdLow + 1;
    const Scale holding = Padded(holdLow, holdHigh, holdingTop, plotBottom, em * 0.4);
    g.holdingTicks = ValueTicks(holding.low, holding.high, holding.bottom, holding.top, em * 2);
    g.holdingZero = holding(0);

    const double axisWidth =
        std::ceil(std::max({TicksWidth(g.priceTicks, metrics), TicksWidth(g.holdingTicks, metrics),
                            metrics.horizontalAdvance(QStringLiteral("0"))}) +
                  em * 0.6);
    const double left = bounds.left() + margin;
    const double right = std::max(left, bounds.right() - margin - axisWidth);
    g.priceArea = QRectF(QPointF(left, plotTop), QPointF(right, priceBottom));
    g.holdingArea = QRectF(QPointF(left, holdingTop), QPointF(right, plotBottom));
    g.notRunFrom = right;
    if (n == 0)
        return g;

    // Columns: one a bar, or one a pixel when bars outnumber pixels.
    const double width = g.priceArea.width();
    g.columns = int(std::clamp<qsizetype>(qsizetype(std::floor(width)), 1, n));
    g.columnWidth = width / g.columns;
    g.bodyWidth = g.columnWidth >= 3 ? std::max(1.0, std::round(g.columnWidth * 0.7)) : 1.0;
    auto edge = [&](int column) { return left + column * g.columnWidth; };
    g.candles.reserve(g.columns);
    QList<int> lastBar(g.columns, -1); // last bar of each column
    for (qsizetype i = 0; i < n; ++i) {
        const int c = ColumnOf(i, n, g.columns);
        if (c >= g.candles.size()) {
            g.candles.append({edge(c) + g.columnWidth / 2, bars.open[i], bars.high[i], bars.low[i],
                              bars.close[i], true});
        } else {
            Candle& candle = g.candles.last();
            candle.high = std::max(candle.high, bars.high[i]);
            candle.low = std::min(candle.low, bars.low[i]);
            candle.close = bars.close[i];
        }
        lastBar[c] = int(i);
    }
    for (Candle& candle : g.candles) {
        candle.rising = candle.close >= candle.open;
        candle.open = price(candle.open);
        candle.high = price(candle.high);
        candle.low = price(candle.low);
        candle.close = price(candle.close);
    }

    // Markers: buys under the low, sells over the high, stacked outwards in a column.
    QHash<int, int> stacked; // column * 2 + side -> markers already there
    const double step = g.markerSize * 1.15;
    for (int i = 0; i < result.orders.size(); ++i) {
        const Sim::OrderRow& row = result.orders[i];
        if (row.bar < 0 || row.bar >= n)
            continue;
        const int c = ColumnOf(row.bar, n, g.columns);
        const Candle& candle = g.candles[c];
        const bool buy = row.side == Sim::OrderSide::Buy;
        const int k = stacked[c * 2 + (buy ? 0 : 1)]++;
        const double offset = 2 + g.markerSize / 2 + k * step;
        double y = buy ? candle.low + offset : candle.high - offset;
        y = std::clamp(y, g.priceArea.top() + g.markerSize / 2,
                       g.priceArea.bottom() - g.markerSize / 2);
        g.markers.append({QPointF(candle.x, y), row.side, row.status, i});
    }

    // The holding after each column that ran, as a step line.
    const int runColumns = barsRun > 0 ? ColumnOf(barsRun - 1, n, g.columns) + 1 : 0;
    auto heldAfter = [&](int column) {
        const int bar = std::min(lastBar[column], barsRun - 1);
        return bar < result.holdingByBar.size() ? result.holdingByBar[bar] : holdLow;
    };
    for (int c = 0; c < runColumns; ++c) {
        const double y = holding(heldAfter(c));
        if (c == 0)
            g.holding << QPointF(edge(0), y);
        else if (y != g.holding.last().y())
            g.holding << QPointF(edge(c), g.holding.last().y()) << QPointF(edge(c), y);
    }
    if (!g.holding.isEmpty())
        g.holding << QPointF(edge(runColumns), g.holding.last().y());
    if (barsRun < n)
        g.notRunFrom = edge(ColumnOf(barsRun, n, g.columns));
    for (int bar : result.restarts)
        if (bar > 0 && bar < n)
            g.restarts.append(edge(ColumnOf(bar, n, g.columns)));

    // Time ticks: the finest step whose labels fit, thinned where bars are irregular.
    QList<BarTime> times(n);
    for (qsizetype i = 0; i < n; ++i) {
        const qint64 s = qint64(std::floor(bars.dateTime[i]));
        times[i] = {s, FloorDiv(s, 86400), Sim::DecodeDateTime(bars.dateTime[i])};
    }
    const double labelGap = em * 1.2;
    struct TimeTick
    {
        Tick tick;
        bool newDay = false;
    };
    auto ticksOf = [&](const TimeStep& timeStep) {
        QList<TimeTick> ticks;
        for (qsizetype i = 1; i < n; ++i) {
            if (Period(timeStep, times[i]) == Period(timeStep, times[i - 1]))
                continue;
            const bool newDay = times[i].day != times[i - 1].day;
            ticks.append(
                {{g.candles[ColumnOf(i, n, g.columns)].x, TimeLabel(timeStep, times[i], newDay)},
                 newDay});
        }
        return ticks;
    };
    auto widest = [&](const QList<TimeTick>& ticks) {
        double w = 0;
        for (const TimeTick& t : ticks)
            w = std::max(w, metrics.horizontalAdvance(t.tick.label));
        return w;
    };
    const qsizetype steps = std::size(TimeSteps);
    for (qsizetype k = 0; k < steps; ++k) {
        const QList<TimeTick> ticks = ticksOf(TimeSteps[k]);
        const double spacing = widest(ticks) + labelGap;
        if (ticks.size() * spacing > width)
            continue;
        // Too close to the last tick kept: dropped, unless it starts a day and that one does not.
        QList<TimeTick> kept;
        for (const TimeTick& t : ticks) {
            if (kept.isEmpty() || t.tick.position - kept.last().tick.position >= spacing) {
                kept.append(t);
            } else if (t.newDay && !kept.last().newDay &&
                       (kept.size() < 2 ||
                        t.tick.position - kept[kept.size() - 2].tick.position >= spacing)) {
                kept.last() = t;
            }
        }
        for (const TimeTick& t : kept)
            g.timeTicks.append(t.tick);
        // The next finer step as unlabelled grid lines, where they stand apart.
        if (k > 0) {
            const QList<TimeTick> minor = ticksOf(TimeSteps[k - 1]);
            if (minor.size() * 6.0 <= width)
                for (const TimeTick& t : minor)
                    g.minorTicks.append(t.tick.position);
        }
        break;
    }
    if (g.timeTicks.isEmpty())
        g.timeTicks.append({g.candles.first().x, TimeLabel(TimeSteps[0], times[0], true)});
    return g;
}

} // namespace Chart
