#pragma once
// The chart of a dry run as geometry: bars to x, prices to y, candles, order markers, the
// holding's step line and the axes' ticks, in the pixels of a given rectangle. Painter.h
// draws it; tests read it.

#include "simulation/Quotes.h"
#include "simulation/Recorder.h"
#include "simulation/Replay.h"

#include <QFont>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

namespace Chart {

/// One column of the price area: a bar, or several bars merged when bars outnumber pixels.
struct Candle
{
    double x = 0; ///< centre
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
    bool rising = true;
};

/// An order of the log at its bar: buys below the low, sells above the high, stacked when a bar
/// has several.
struct Marker
{
    QPointF centre;
    Sim::OrderSide side = Sim::OrderSide::Buy;
    Sim::OrderStatus status = Sim::OrderStatus::Sent;
    /// Its row in ReplayResult::orders.
    int order = 0;
};

struct Tick
{
    /// x of a time tick, y of a value tick.
    double position = 0;
    QString label;
};

enum class LegendKind : quint8
{
    Buy,
    Sell,
    TestMode,
    Refused,
    Restart,
    NotRun,
};

struct LegendItem
{
    LegendKind kind = LegendKind::Buy;
    QString text;
    QRectF symbol;
    QPointF textAt; ///< baseline start
};

struct Geometry
{
    QRectF bounds;
    QFont font;
    QString title;
    QPointF titleAt; ///< baseline start
    QList<LegendItem> legend;

    QRectF priceArea;
    QRectF holdingArea;
    /// Columns of the price area and the width of one; a column holds bars
    /// [first bar of column c, first bar of column c + 1).
    int columns = 0;
    double columnWidth = 0;
    double bodyWidth = 0;
    double markerSize = 0;

    QList<Candle> candles;
    QList<Marker> markers;
    /// The holding after each column that was run, as a step line in holdingArea.
    QPolygonF holding;
    /// y of a zero holding.
    double holdingZero = 0;
    /// x of the bars before which AmiBroker was restarted.
    QList<double> restarts;
    /// x from which the bars were not run (a failure or a cancel); bounds.right() when all ran.
    double notRunFrom = 0;

    QList<Tick> timeTicks;
    /// x of unlabelled time grid lines between the ticks.
    QList<double> minorTicks;
    QList<Tick> priceTicks;
    QList<Tick> holdingTicks;
};

/// The column of bar `bar` of `bars` when `columns` columns show them.
int ColumnOf(qsizetype bar, qsizetype bars, int columns);

/// Ticks of the value range [low, high] mapped onto [bottom, top] (pixels, bottom > top):
/// multiples of a step of 1, 2, 2.5 or 5 times a power of ten, at least `spacing` pixels apart,
/// labelled with a decimal comma and as many decimals as the step needs.
QList<Tick> ValueTicks(double low, double high, double bottom, double top, double spacing);

/// Layout of the chart of `result` over `quotes` in `bounds`, texts measured in `font`. The
/// result may cover fewer bars than the quotes (a failed or cancelled replay) or none.
Geometry Layout(const Sim::Quotes& quotes, const Sim::ReplayResult& result, const QRectF& bounds,
                const QFont& font);

} // namespace Chart
