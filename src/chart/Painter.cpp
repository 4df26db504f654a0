#include "chart/Painter.h"

#include "chart/ChartTexts.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace Chart {

namespace {

const QColor Background(255, 255, 255);
const QColor Frame(190, 194, 200);
const QColor Grid(226, 229, 234);
const QColor MinorGrid(243, 244, 246);
const QColor Text(60, 64, 70);
const QColor CandleLine(70, 74, 82);
const QColor Rising(255, 255, 255);
const QColor Falling(70, 74, 82);
const QColor BuyColour(22, 140, 64);
const QColor SellColour(206, 44, 44);
const QColor RefusedColour(140, 144, 150);
const QColor HoldingLine(35, 95, 190);
const QColor HoldingFill(35, 95, 190, 40);
const QColor RestartColour(214, 128, 0, 150);
const QColor NotRunFill(120, 124, 130, 40);

QColor SideColour(Sim::OrderSide side)
{
    return side == Sim::OrderSide::Buy ? BuyColour : SellColour;
}

/// A triangle pointing up (buy) or down (sell) in the square of `size` around `centre`.
QPolygonF Triangle(QPointF centre, double size, Sim::OrderSide side)
{
    const double h = size / 2;
    if (side == Sim::OrderSide::Buy)
        return QPolygonF(
            {centre + QPointF(0, -h), centre + QPointF(h, h), centre + QPointF(-h, h)});
    return QPolygonF({centre + QPointF(0, h), centre + QPointF(h, -h), centre + QPointF(-h, -h)});
}

void PaintMarker(QPainter& painter, QPointF centre, double size, Sim::OrderSide side,
                 Sim::OrderStatus status)
{
    const QColor colour = SideColour(side);
    switch (status) {
    case Sim::OrderStatus::Sent:
        painter.setPen(QPen(colour.darker(130), 1));
        painter.setBrush(colour);
        painter.drawPolygon(Triangle(centre, size, side));
        break;
    case Sim::OrderStatus::TestMode:
        painter.setPen(QPen(colour, 1.6));
        painter.setBrush(Background);
        painter.drawPolygon(Triangle(centre, size - 1, side));
        break;
    case Sim::OrderStatus::Refused: {
        const double h = size / 2 - 1;
        painter.setPen(QPen(RefusedColour, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre + QPointF(-h, -h), centre + QPointF(h, h));
        painter.drawLine(centre + QPointF(-h, h), centre + QPointF(h, -h));
        break;
    }
    }
}

void PaintLegendSymbol(QPainter& painter, const LegendItem& item, double size)
{
    const QPointF c = item.symbol.center();
    switch (item.kind) {
    case LegendKind::Buy:
        PaintMarker(painter, c, size, Sim::OrderSide::Buy, Sim::OrderStatus::Sent);
        break;
    case LegendKind::Sell:
        PaintMarker(painter, c, size, Sim::OrderSide::Sell, Sim::OrderStatus::Sent);
        break;
    case LegendKind::TestMode:
        PaintMarker(painter, c, size, Sim::OrderSide::Buy, Sim::OrderStatus::TestMode);
        break;
    case LegendKind::Refused:
        PaintMarker(painter, c, size, Sim::OrderSide::Buy, Sim::OrderStatus::Refused);
        break;
    case LegendKind::Restart:
        painter.setPen(QPen(RestartColour, 1.5, Qt::DashLine));
        painter.drawLine(QPointF(c.x(), item.symbol.top() - 2),
                         QPointF(c.x(), item.symbol.bottom() + 2));
        break;
    case LegendKind::NotRun:
        painter.setPen(Qt::NoPen);
        painter.setBrush(NotRunFill);
        painter.drawRect(item.symbol);
        break;
    }
}

void PaintGrid(QPainter& painter, const Geometry& g)
{
    painter.setPen(QPen(MinorGrid, 1));
    for (const QRectF& area : {g.priceArea, g.holdingArea})
        for (double x : g.minorTicks)
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    painter.setPen(QPen(Grid, 1));
    for (const QRectF& area : {g.priceArea, g.holdingArea})
        for (const Tick& tick : g.timeTicks)
            painter.drawLine(QPointF(tick.position, area.top()),
                             QPointF(tick.position, area.bottom()));
    for (const Tick& tick : g.priceTicks)
        painter.drawLine(QPointF(g.priceArea.left(), tick.position),
                         QPointF(g.priceArea.right(), tick.position));
    for (const Tick& tick : g.holdingTicks)
        painter.drawLine(QPointF(g.holdingArea.left(), tick.position),
                         QPointF(g.holdingArea.right(), tick.position));
}

void PaintCandles(QPainter& painter, const Geometry& g)
{
    const bool bodies = g.bodyWidth >= 3;
    for (const Candle& c : g.candles) {
        painter.setPen(QPen(bodies ? CandleLine : (c.rising ? CandleLine : Falling), 1));
        painter.drawLine(QPointF(c.x, c.high), QPointF(c.x, c.low));
        if (!bodies)
            continue;
        const double top = std::min(c.open, c.close);
        const double height = std::max(1.0, std::fabs(c.open - c.close));
        painter.setBrush(c.rising ? Rising : Falling);
        painter.drawRect(QRectF(c.x - g.bodyWidth / 2, top, g.bodyWidth, height));
    }
}

void PaintHolding(QPainter& painter, const Geometry& g)
{
    if (g.holding.isEmpty())
        return;
    QPolygonF area = g.holding;
    area << QPointF(g.holding.last().x(), g.holdingZero)
         << QPointF(g.holding.first().x(), g.holdingZero);
    painter.setPen(Qt::NoPen);
    painter.setBrush(HoldingFill);
    painter.drawPolygon(area);
    painter.setPen(QPen(HoldingLine, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(g.holding);
}

void PaintAxes(QPainter& painter, const Geometry& g, const QFontMetricsF& metrics)
{
    painter.setPen(Text);
    const double labelX = g.priceArea.right() + metrics.height() * 0.3;
    auto valueLabels = [&](const QList<Tick>& ticks, const QRectF& area) {
        for (const Tick& tick : ticks) {
            double y = tick.position + metrics.ascent() / 2 - 1;
            y = std::clamp(y, area.top() + metrics.ascent() - 2, area.bottom() + metrics.descent());
            painter.drawText(QPointF(labelX, y), tick.label);
        }
    };
    valueLabels(g.priceTicks, g.priceArea);
    valueLabels(g.holdingTicks, g.holdingArea);
    const double baseline = g.holdingArea.bottom() + metrics.height() * 0.3 + metrics.ascent();
    for (const Tick& tick : g.timeTicks) {
        const double width = metrics.horizontalAdvance(tick.label);
        const double x = std::clamp(tick.position - width / 2, g.bounds.left() + 1,
                                    g.bounds.right() - width - 1);
        painter.setPen(Frame);
        painter.drawLine(QPointF(tick.position, g.holdingArea.bottom()),
                         QPointF(tick.position, g.holdingArea.bottom() + 3));
        painter.setPen(Text);
        painter.drawText(QPointF(x, baseline), tick.label);
    }
}

} // namespace

QFont ChartFont()
{
    QFont font = QGuiApplication::font();
    font.setPointSizeF(9);
    return font;
}

void Paint(QPainter& painter, const Geometry& g)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(g.bounds, Background);
    painter.setFont(g.font);
    const QFontMetricsF metrics(g.font);

    PaintGrid(painter, g);
    if (g.notRunFrom < g.priceArea.right()) {
        for (const QRectF& area : {g.priceArea, g.holdingArea})
            painter.fillRect(QRectF(QPointF(g.notRunFrom, area.top()), area.bottomRight()),
                             NotRunFill);
    }
    PaintCandles(painter, g);
    painter.setPen(QPen(RestartColour, 1, Qt::DashLine));
    for (double x : g.restarts)
        for (const QRectF& area : {g.priceArea, g.holdingArea})
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));

    painter.setRenderHint(QPainter::Antialiasing, true);
    PaintHolding(painter, g);
    for (const Marker& m : g.markers)
        PaintMarker(painter, m.centre, g.markerSize, m.side, m.status);
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(Frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(g.priceArea);
    painter.drawRect(g.holdingArea);
    PaintAxes(painter, g, metrics);

    painter.setPen(Text);
    painter.drawText(QPointF(g.holdingArea.left(), g.holdingArea.top() - metrics.descent() - 2),
                     Texts::Holding);
    if (g.candles.isEmpty())
        painter.drawText(g.priceArea, Qt::AlignCenter, Texts::NoQuotes);

    QFont bold = g.font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(g.titleAt, g.title);
    painter.setFont(g.font);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const LegendItem& item : g.legend) {
        PaintLegendSymbol(painter, item, g.markerSize);
        painter.setPen(Text);
        painter.drawText(item.textAt, item.text);
    }
    painter.restore();
}

QImage Render(const Sim::Quotes& quotes, const Sim::ReplayResult& result, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    Paint(painter, Layout(quotes, result, QRectF(QPointF(0, 0), size), ChartFont()));
    return image;
}

QString SavePng(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return writer.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

QString SavePng(const Sim::Quotes& quotes, const Sim::ReplayResult& result, const QString& path)
{
    return SavePng(Render(quotes, result), path);
}

} // namespace Chart
