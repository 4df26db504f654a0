#pragma once
// Model of one page of a page control: caption and its direct controls in layout order.

#include "controls/Control.h"

#include <functional>

#include <QList>

namespace Controls {

class Page : public Control
{
    Q_OBJECT
public:
    Page(const QString& name, const QString& caption, QObject* parent = nullptr);

    const QString& caption() const { return m_caption; }
    /// Adds a direct child in layout order (the page does not take ownership).
    void add(Control* control);
    const QList<Control*>& controls() const { return m_controls; }
    Control* find(const QString& name) const;

    /// Runs when the page becomes the current page (the page's show event).
    void setOnShow(std::function<void()> handler) { m_onShow = std::move(handler); }
    void show();

private:
    QString m_caption;
    QList<Control*> m_controls;
    std::function<void()> m_onShow;
};

} // namespace Controls
