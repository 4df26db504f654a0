// The dry run's chart: where bars, markers, the holding and the ticks go, and that it paints.

#include "chart/Geometry.h"
#include "chart/Painter.h"
#include "simulation/Replay.h"

#include <QFile>
#include <QLocale>
#include <QPainter>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

Sim::Quotes ReadQuotes(const QString& path, qsizetype bars)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    Sim::Quotes quotes = Sim::ReadQuotes(QString::fromUtf8(file.readAll())).quotes;
    if (bars > 0)
        quotes.bars = quotes.bars.first(bars);
    return quotes;
}

const QString TwoSessions = QStringLiteral(ORVANTA_TEST_DATA "/simulation/two-sessions.csv");
const QString Demo = QStringLiteral(ORVANTA_SOURCE_DIR "/examples/demo-notowania-syntetyczne.csv");

// Orders on chosen bars (b: the bar being run); a second buy in a row is refused.
const QString Orders = uR"(voxOnlyReverse("", 1);
b = BarCount - 1;
if (b == 2) voxBuy("", "", 10, 0, 0);
if (b == 4) voxBuy("", "", 5, 0, 0);
if (b == 7) voxSell("", "", 10, 0, 0);
if (b == 9) voxBuy("", "", 20, 0, 0);
)"_s;

// Every 100th bar alternates buy and sell.
const QString EveryHundred = uR"(b = BarCount - 1;
if (b % 200 == 100) voxBuy("", "", 10, 0, 0);
if (b % 200 == 0 AND b > 0) voxSell("", "", 10, 0, 0);
)"_s;

bool Within(double v, double low, double high)
{
    return v >= low - 0.5 && v <= high + 0.5;
}

} // namespace

class TestChart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void geometry_data();
    void geometry();
    void valueTicks_data();
    void valueTicks();
    void paintsCandlesMarkersAndEmptyQuotes();
};

void TestChart::geometry_data()
{
    QTest::addColumn<QString>("quotesFile");
    QTest::addColumn<int>("bars");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("refreshes");
    QTest::addColumn<int>("stopAfter"); // bars run before the replay is cancelled; 0: all
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("firstTimeLabel");

    QTest::newRow("a column a bar, refused and stacked markers")
        << TwoSessions << 0 << Orders << 2 << 0 << QSize(1200, 700) << u"16:35"_s;
    QTest::newRow("narrow: ticks thinned")
        << TwoSessions << 0 << Orders << 1 << 0 << QSize(300, 220) << u"16:45"_s;
    QTest::newRow("bars outnumber pixels, dates on the axis")
        << Demo << 0 << EveryHundred << 1 << 0 << QSize(700, 400) << u"15.01"_s;
    QTest::newRow("default image size, more bars than pixels")
        << Demo << 0 << EveryHundred << 1 << 0 << QSize(1200, 700) << u"15.01"_s;
    QTest::newRow("cancelled replay: holding stops where the run stopped")
        << Demo << 600 << EveryHundred << 1 << 350 << QSize(900, 500) << u"09.01"_s;
}

void TestChart::geometry()
{
    QFETCH(QString, quotesFile);
    QFETCH(int, bars);
    QFETCH(QString, script);
    QFETCH(int, refreshes);
    QFETCH(int, stopAfter);
    QFETCH(QSize, size);
    QFETCH(QString, firstTimeLabel);

    const Sim::Quotes quotes = ReadQuotes(quotesFile, bars);
    QVERIFY(quotes.bars.size() > 0);
    Sim::ReplayOptions options;
    options.refreshesPerBar = refreshes;
    const Sim::ReplayResult result =
        Sim::Replay({script, QString(), {}}, quotes, options,
                    [stopAfter](int done, int) { return stopAfter == 0 || done < stopAfter; });
    QVERIFY(!result.orders.isEmpty());
    const qsizetype n = quotes.bars.size();
    const Chart::Geometry g =
        Chart::Layout(quotes, result, QRectF(QPointF(0, 0), size), Chart::ChartFont());

    // Columns: one a bar, or one a whole pixel when bars outnumber pixels.
    QVERIFY(g.bounds.contains(g.priceArea) && g.bounds.contains(g.holdingArea));
    QVERIFY(g.priceArea.bottom() < g.holdingArea.top());
    QCOMPARE(g.columns, int(std::min<qsizetype>(n, qsizetype(g.priceArea.width()))));
    QCOMPARE(g.candles.size(), g.columns);
    QVERIFY(
        Within(g.candles.first().x - g.columnWidth / 2, g.priceArea.left(), g.priceArea.left()));
    QVERIFY(
        Within(g.candles.last().x + g.columnWidth / 2, g.priceArea.right(), g.priceArea.right()));
    for (const Chart::Candle& c : g.candles)
        QVERIFY(g.priceArea.top() < c.high && c.high <= c.low && c.low < g.priceArea.bottom());

    // A marker per order at its bar's column: buys under the low, sells over the high, a
    // second on the same side of a column further out.
    QCOMPARE(g.markers.size(), result.orders.size());
    QHash<int, double> outermost;
    for (const Chart::Marker& m : g.markers) {
        const Sim::OrderRow& row = result.orders[m.order];
        QCOMPARE(m.side, row.side);
        QCOMPARE(m.status, row.status);
        const int column = Chart::ColumnOf(row.bar, n, g.columns);
        const Chart::Candle& c = g.candles[column];
        QCOMPARE(m.centre.x(), c.x);
        const bool buy = row.side == Sim::OrderSide::Buy;
        QVERIFY(buy ? m.centre.y() > c.low : m.centre.y() < c.high);
        const int key = column * 2 + (buy ? 0 : 1);
        if (outermost.contains(key))
            QVERIFY(buy ? m.centre.y() > outermost[key] : m.centre.y() < outermost[key]);
        outermost[key] = m.centre.y();
        QVERIFY(g.priceArea.contains(m.centre));
    }

    // Ticks inside their areas, in order, labels apart and readable.
    QVERIFY(!g.timeTicks.isEmpty());
    QCOMPARE(g.timeTicks.first().label, firstTimeLabel);
    for (qsizetype i = 0; i < g.timeTicks.size(); ++i) {
        QVERIFY(Within(g.timeTicks[i].position, g.priceArea.left(), g.priceArea.right()));
        if (i > 0)
            QVERIFY(g.timeTicks[i].position - g.timeTicks[i - 1].position >
                    QFontMetricsF(g.font).horizontalAdvance(g.timeTicks[i].label));
    }
    QVERIFY(g.priceTicks.size() >= 2);
    double previous = -1e300;
    for (const Chart::Tick& t : g.priceTicks) {
        QVERIFY(Within(t.position, g.priceArea.top(), g.priceArea.bottom()));
        const double value = QLocale(QLocale::Polish).toDouble(t.label);
        QVERIFY2(value > previous, qPrintable(t.label));
        previous = value;
    }
    QVERIFY(g.holdingTicks.size() >= 2);
    for (const Chart::Tick& t : g.holdingTicks)
        QVERIFY(Within(t.position, g.holdingArea.top(), g.holdingArea.bottom()));

    // The holding: a step line from the left edge to the last bar run, at the last holding.
    QVERIFY(!g.holding.isEmpty());
    QCOMPARE(g.holding.first().x(), g.priceArea.left());
    const double end = stopAfter ? g.notRunFrom : g.priceArea.right();
    QVERIFY(Within(g.holding.last().x(), end, end));
    QCOMPARE(result.barsRun < n, g.notRunFrom < g.priceArea.right());
    for (const QPointF& p : g.holding)
        QVERIFY(Within(p.y(), g.holdingArea.top(), g.holdingArea.bottom()));
    const double zero = g.holdingZero;
    QCOMPARE(result.holdingByBar.last() == 0, g.holding.last().y() == zero);
}

void TestChart::valueTicks_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("steps of 10") << 47.3 << 81.2 << 60.0
                                 << QStringList{u"50"_s, u"60"_s, u"70"_s, u"80"_s};
    QTest::newRow("steps of 2,5 keep a decimal")
        << 9.1 << 14.0 << 160.0 << QStringList{u"10,0"_s, u"12,5"_s};
    QTest::newRow("small prices") << 0.0312 << 0.0355 << 100.0
                                  << QStringList{u"0,032"_s, u"0,034"_s};
    QTest::newRow("holding through zero")
        << -12.0 << 30.0 << 50.0 << QStringList{u"-10"_s, u"0"_s, u"10"_s, u"20"_s, u"30"_s};
    QTest::newRow("no range") << 5.0 << 5.0 << 50.0 << QStringList{};
}

void TestChart::valueTicks()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(double, spacing);
    QFETCH(QStringList, labels);
    // 400 pixels from y = 500 (low) up to y = 100 (high).
    const QList<Chart::Tick> ticks = Chart::ValueTicks(low, high, 500, 100, spacing);
    QStringList actual;
    for (const Chart::Tick& t : ticks) {
        actual.append(t.label);
        QVERIFY(t.position >= 100 && t.position <= 500);
    }
    QCOMPARE(actual, labels);
}

void TestChart::paintsCandlesMarkersAndEmptyQuotes()
{
    const Sim::Quotes quotes = ReadQuotes(TwoSessions, 0);
    Sim::ReplayResult result = Sim::Replay({Orders, QString(), {}}, quotes);
    Sim::OrderRow testMode = result.orders.first();
    testMode.status = Sim::OrderStatus::TestMode;
    testMode.side = Sim::OrderSide::Sell;
    result.orders.append(testMode);
    const QImage image = Chart::Render(quotes, result);
    QCOMPARE(image.size(), Chart::DefaultImageSize);
    // Filled buy markers, the holding line and dark candles are there; the corner is background.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 1)
        for (int x = 0; x < image.width(); x += 1)
            colours.insert(image.pixel(x, y) & 0xffffff);
    QVERIFY(colours.contains(qRgb(22, 140, 64) & 0xffffff));
    QVERIFY(colours.contains(qRgb(70, 74, 82) & 0xffffff));
    QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));

    // No quotes: a frame and a word, no candles, nothing thrown.
    const Chart::Geometry empty = Chart::Layout({}, {}, QRectF(0, 0, 400, 300), Chart::ChartFont());
    QVERIFY(empty.candles.isEmpty() && empty.timeTicks.isEmpty() && empty.holding.isEmpty());
    QImage small(400, 300, QImage::Format_RGB32);
    QPainter painter(&small);
    Chart::Paint(painter, empty);
    // Far too small to hold anything: still no crash.
    QImage tiny = Chart::Render(quotes, result, QSize(30, 20));
    QCOMPARE(tiny.size(), QSize(30, 20));
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
