#include "ui/PageControlWidget.h"

#include "ui/ControlBinding.h"
#include "ui/Guard.h"

#include <QTabBar>

namespace Shell {

PageControlWidget::PageControlWidget(Controls::PageControl* model, QWidget* parent, QTabBar* tabBar)
    : QTabWidget(parent)
    , m_model(model)
{
    if (tabBar)
        setTabBar(tabBar);
    ControlBinding::bind(this, model);
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_syncing || index < 0 || index == m_model->currentIndex())
            return;
        guarded([this, index] { m_model->clickTab(index); });
        sync();
    });
    connect(model, &Controls::Control::changed, this, &PageControlWidget::sync);
    for (Controls::Page* page : model->pages())
        connect(page, &Controls::Control::changed, this, &PageControlWidget::sync);
}

void PageControlWidget::addPageWidget(QWidget* widget)
{
    const int index = count();
    Controls::Page* page = m_model->page(index);
    if (page)
        widget->setObjectName(page->name());
    m_syncing = true;
    addTab(widget, page ? page->caption() : QString());
    m_syncing = false;
    sync();
}

void PageControlWidget::sync()
{
    ControlBinding::syncCommon(this, m_model);
    m_syncing = true;
    for (int i = 0; i < count(); ++i) {
        if (isTabVisible(i) != m_model->isTabVisible(i))
            setTabVisible(i, m_model->isTabVisible(i));
    }
    if (currentIndex() != m_model->currentIndex() && m_model->currentIndex() < count())
        setCurrentIndex(m_model->currentIndex());
    m_syncing = false;
    tabBar()->update();
}

} // namespace Shell
