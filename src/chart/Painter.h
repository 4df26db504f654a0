#pragma once
// Paints the dry run's chart with QPainter: into a widget, an image, a PNG file.

#include "chart/Geometry.h"

#include <QImage>
#include <QSize>

class QPainter;

namespace Chart {

/// The size of a chart written to a file when none is asked for.
inline constexpr QSize DefaultImageSize{1200, 700};

/// Draws g: background, grid, candles, markers, the holding strip, axes and the header.
void Paint(QPainter& painter, const Geometry& g);

/// The font of the chart: the application's, at 9 points.
QFont ChartFont();

/// The chart of result over quotes as an image of `size`.
QImage Render(const Sim::Quotes& quotes, const Sim::ReplayResult& result,
              QSize size = DefaultImageSize);

/// Writes image as a PNG file, atomically: an empty text, or the reason it could not.
QString SavePng(const QImage& image, const QString& path);
/// The chart of result over quotes at the default size, written as a PNG file.
QString SavePng(const Sim::Quotes& quotes, const Sim::ReplayResult& result, const QString& path);

} // namespace Chart
