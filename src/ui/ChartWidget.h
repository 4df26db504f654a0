#pragma once
// A widget that paints the dry run's chart (Chart::Layout, Chart::Paint) at its own size.

#include "simulation/Quotes.h"
#include "simulation/Replay.h"

#include <QWidget>

namespace Shell {

class ChartWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ChartWidget(QWidget* parent = nullptr);

    /// Shows result over quotes (copies; both are implicitly shared lists).
    void setData(const Sim::Quotes& quotes, const Sim::ReplayResult& result);

    QSize sizeHint() const override { return {900, 420}; }
    QSize minimumSizeHint() const override { return {320, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Sim::Quotes m_quotes;
    Sim::ReplayResult m_result;
};

} // namespace Shell
