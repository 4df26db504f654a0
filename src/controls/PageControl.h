#pragma once
// Model of a page control: pages, visible and hidden tabs, the current page.

#include "controls/Page.h"

#include <functional>

namespace Controls {

class PageControl : public Control
{
    Q_OBJECT
public:
    explicit PageControl(const QString& name, QObject* parent = nullptr);

    void addPage(Page* page);
    int pageCount() const { return int(m_pages.size()); }
    Page* page(int index) const { return m_pages.value(index); }
    const QList<Page*>& pages() const { return m_pages; }

    int currentIndex() const { return m_current; }
    /// Makes index the current page from the program: no changing/change handlers; the
    /// page's show event runs when it becomes current.
    void setCurrentIndex(int index);
    /// Navigation (Next, Back, a click on a visible tab): runs onChanging before and
    /// onChange after; the page's show event runs in between.
    void navigate(int index);
    /// A user's click on a tab: navigates when that tab is visible.
    void clickTab(int index);

    bool isTabVisible(int index) const;
    /// Shows or hides a tab. Hiding the current page's tab makes current, from the program,
    /// the page whose tab takes its place among the visible tabs, or the last visible one.
    void setTabVisible(int index, bool visible);

    void setOnChanging(std::function<void()> handler) { m_onChanging = std::move(handler); }
    void setOnChange(std::function<void()> handler) { m_onChange = std::move(handler); }

private:
    QList<Page*> m_pages;
    QList<bool> m_tabVisible;
    int m_current = 0;
    std::function<void()> m_onChanging;
    std::function<void()> m_onChange;
};

} // namespace Controls
