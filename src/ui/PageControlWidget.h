#pragma once
// A QTabWidget bound to a Controls::PageControl: visible tabs, current page, tab clicks.

#include "controls/PageControl.h"

#include <QTabWidget>

namespace Shell {

/// Shows one widget per model page. Tabs hidden in the model are hidden here and cannot
/// be clicked; a user's tab click is the model's clickTab, and the current page always
/// follows the model.
class PageControlWidget : public QTabWidget
{
    Q_OBJECT
public:
    PageControlWidget(Controls::PageControl* model, QWidget* parent = nullptr,
                      QTabBar* tabBar = nullptr);

    Controls::PageControl* model() const { return m_model; }
    /// Adds the widget of the next model page, its objectName the page's name.
    void addPageWidget(QWidget* widget);

public Q_SLOTS:
    void sync();

private:
    Controls::PageControl* m_model;
    bool m_syncing = false;
};

} // namespace Shell
