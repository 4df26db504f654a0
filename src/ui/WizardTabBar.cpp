#include "ui/WizardTabBar.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace Shell {

WizardTabBar::WizardTabBar(QWidget* parent)
    : QTabBar(parent)
{
    setDrawBase(true);
    setExpanding(false);
    setUsesScrollButtons(true);
}

QColor WizardTabBar::captionColour(int index) const
{
    const bool done = m_stepDone && m_stepDone(index);
    return done ? QColor(0, 0, 0) : QColor(128, 128, 128);
}

QColor WizardTabBar::fillColour(int index) const
{
    return palette().color(index == currentIndex() ? QPalette::Light : QPalette::Button);
}

void WizardTabBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    const QFontMetrics metrics(font());
    // Draw the selected tab last so that its shape overlaps its neighbours.
    QList<int> order;
    for (int i = 0; i < count(); ++i) {
        if (isTabVisible(i) && i != currentIndex())
            order.append(i);
    }
    if (currentIndex() >= 0 && isTabVisible(currentIndex()))
        order.append(currentIndex());
    for (int i : std::as_const(order)) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        option.text.clear();
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        const QRect rect = tabRect(i).adjusted(3, 3, -3, -1);
        painter.fillRect(rect, fillColour(i));
        const QString caption = tabText(i);
        const int textWidth = metrics.horizontalAdvance(caption);
        const int textHeight = metrics.height();
        const int left = rect.left() + (rect.width() - textWidth) / 2 + 1;
        const int top = rect.top() + (rect.height() - textHeight) / 2 + 1;
        painter.save();
        painter.setClipRect(rect);
        painter.setPen(captionColour(i));
        painter.drawText(QRect(left, top, textWidth, textHeight), Qt::AlignLeft | Qt::AlignTop,
                         caption);
        painter.restore();
    }
}

} // namespace Shell
