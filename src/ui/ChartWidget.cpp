#include "ui/ChartWidget.h"

#include "chart/Painter.h"

#include <QPainter>

namespace Shell {

ChartWidget::ChartWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("chart"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartWidget::setData(const Sim::Quotes& quotes, const Sim::ReplayResult& result)
{
    m_quotes = quotes;
    m_result = result;
    update();
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Chart::Paint(painter, Chart::Layout(m_quotes, m_result, QRectF(rect()), Chart::ChartFont()));
}

} // namespace Shell
