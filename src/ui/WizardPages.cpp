#include "ui/WizardPages.h"

#include "app/TForm1.h"
#include "ui/ButtonWidget.h"
#include "ui/CheckBoxWidget.h"
#include "ui/ComboBoxWidget.h"
#include "ui/EditWidget.h"
#include "ui/RadioGroupWidget.h"
#include "ui/SpinEditWidget.h"
#include "ui/SummaryTree.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace Shell {

namespace {

constexpr int Left = 8;
constexpr int Gap = 6;

/// Follows a radio item: re-places the widget when the group moves, resizes or lays out.
class BesidePlacer : public QObject
{
public:
    BesidePlacer(RadioGroupWidget* group, int item, QWidget* widget, int width,
                 const QList<int>& alignItems)
        : QObject(widget)
        , m_group(group)
        , m_item(item)
        , m_widget(widget)
        , m_width(width)
        , m_align(alignItems)
    {
        group->installEventFilter(this);
        connect(group, &RadioGroupWidget::itemsLaidOut, this, [this] { place(); });
        place();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Move || event->type() == QEvent::Show)
            place();
        return false;
    }

private:
    int captionRight(int item) const
    {
        const QRadioButton* button = m_group->button(item);
        return button ? m_group->itemGeometry(item).left() + button->sizeHint().width() : -1;
    }

    void place()
    {
        if (!m_group->button(m_item))
            return; // the item is not in the current list; the model hides the widget
        int left = captionRight(m_item);
        for (int i : std::as_const(m_align))
            left = std::max(left, captionRight(i));
        const QRect item = m_group->itemGeometry(m_item);
        const int height = m_widget->sizeHint().height();
        m_widget->setGeometry(left + Gap, item.center().y() - height / 2 + 1, m_width, height);
        m_widget->raise();
    }

    RadioGroupWidget* m_group;
    int m_item;
    QWidget* m_widget;
    int m_width;
    QList<int> m_align;
};

/// Places a one-line control at left, top with width and its natural height.
template <typename W> W* at(W* widget, int left, int top, int width)
{
    widget->setGeometry(left, top, width, widget->sizeHint().height());
    return widget;
}

/// A radio group box with rows of items; the height gives each row room for an edit.
RadioGroupWidget* group(Controls::RadioGroup& model, QWidget* page, int top, int rows,
                        int width = WizardPages::PageWidth)
{
    auto* widget = new RadioGroupWidget(&model, page);
    widget->setGeometry(Left, top, width, 22 + rows * 24);
    return widget;
}

/// A check box as wide as its caption needs.
CheckBoxWidget* checkBox(Controls::CheckBox& model, QWidget* parent, int left, int top)
{
    auto* box = new CheckBoxWidget(&model, parent);
    return at(box, left, top, box->sizeHint().width() + 4);
}

ButtonWidget* button(Controls::Button& model, QWidget* parent, int left, int top, int width)
{
    auto* widget = new ButtonWidget(&model, parent);
    widget->setGeometry(left, top, std::max(width, widget->sizeHint().width()), 25);
    return widget;
}

QWidget* startPage(App::TForm1& form, QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* label = new QLabel(form.leAFL.label(), page);
    label->setObjectName(QStringLiteral("leAFL_label"));
    at(label, Left + 8, 16, 300);
    auto* path = at(new EditWidget(&form.leAFL, page), Left + 8, 34, 310);
    label->setBuddy(path);
    const int buttonTop = path->y() + (path->height() - 25) / 2;
    auto* choose = button(form.Button11, page, path->geometry().right() + 8, buttonTop, 90);
    button(form.Button7, page, choose->geometry().right() + 6, buttonTop, 90);
    checkBox(form.cbComments, page, Left + 8, 76);
    return page;
}

QWidget* generalPage(App::TForm1& form, QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* ticker = group(form.rgTicker, page, 4, 2);
    WizardPages::placeBeside(ticker, 1, new EditWidget(&form.edName, page), 220);
    auto* account = group(form.rgAccount, page, 78, 2);
    WizardPages::placeBeside(account, 1, new EditWidget(&form.edAccount, page), 220);
    group(form.rgSignals, page, 152, 2);
    checkBox(form.cbShow, page, Left + 8, 232);
    auto* refresh = checkBox(form.cbRefresh, page, Left + 8, 260);
    auto* seconds = new SpinEditWidget(&form.csRefresh, page);
    at(seconds, refresh->geometry().right() + Gap,
       refresh->y() + (refresh->height() - seconds->sizeHint().height()) / 2, 80);
    return page;
}

QWidget* safeguardsPage(App::TForm1& form, QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* frame = new QGroupBox(App::TForm1::ReverseFrameCaption, page);
    frame->setObjectName(QStringLiteral("gbReverse"));
    frame->setGeometry(Left, 4, WizardPages::PageWidth, 70);
    checkBox(form.cbReverse, frame, 12, 20);
    checkBox(form.cbOneSignal, frame, 12, 44);
    auto* interval = group(form.rgInterval, page, 82, 4);
    const QList<int> column{1, 2, 3};
    WizardPages::placeBeside(interval, 1, new ComboBoxWidget(&form.cbIntSecs, page), 120, column);
    WizardPages::placeBeside(interval, 2, new SpinEditWidget(&form.csIntSecs, page), 120, column);
    WizardPages::placeBeside(interval, 3, new SpinEditWidget(&form.csIntTicks, page), 120, column);

    // The safety switches below the questions, one a row; the cap reads as one sentence.
    auto* switches = new QGroupBox(form.gbSwitches.caption(), page);
    switches->setObjectName(form.gbSwitches.name());
    switches->setGeometry(Left, interval->geometry().bottom() + 8, WizardPages::PageWidth, 118);
    checkBox(form.cbTestMode, switches, 12, 20);
    checkBox(form.cbSwitch, switches, 12, 44);
    checkBox(form.cbOrderLog, switches, 12, 68);
    auto* cap = checkBox(form.cbDailyCap, switches, 12, 92);
    auto* count = new SpinEditWidget(&form.csDailyCap, switches);
    at(count, cap->geometry().right() + Gap,
       cap->y() + (cap->height() - count->sizeHint().height()) / 2, 60);
    auto* unit = new QLabel(Afl::Texts::DailyCapAfter, switches);
    unit->setObjectName(QStringLiteral("csDailyCap_label"));
    at(unit, count->geometry().right() + Gap,
       cap->y() + (cap->height() - unit->sizeHint().height()) / 2, unit->sizeHint().width());
    unit->setBuddy(count);
    return page;
}

QWidget* positionsPage(App::TForm1& form, QWidget* parent)
{
    auto* page = new QWidget(parent);
    group(form.rgHowPosition, page, 4, 2);
    auto* positions = group(form.rgPositions, page, 78, 2);
    const QList<int> column{0, 1};
    WizardPages::placeBeside(positions, 0, new SpinEditWidget(&form.csCount, page), 120, column);
    WizardPages::placeBeside(positions, 1, new SpinEditWidget(&form.csValue, page), 120, column);
    return page;
}

QWidget* ordersPage(App::TForm1& form, QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* orders = group(form.rgOrders, page, 4, 3);
    const QList<int> column{0, 1, 2};
    WizardPages::placeBeside(orders, 0, new CheckBoxWidget(&form.cbPEG, page), 120, column);
    WizardPages::placeBeside(orders, 1, new EditWidget(&form.edValDev, page), 100, column);
    WizardPages::placeBeside(orders, 2, new EditWidget(&form.edCentDev, page), 100, column);
    auto* deviation = group(form.rgDeviation, page, 102, 3);
    WizardPages::placeBeside(deviation, 2, new EditWidget(&form.edOtherPrice, page), 100);
    auto* limit = checkBox(form.cbLimAkt, page, Left + 8, 212);
    auto* value = new EditWidget(&form.edLimAkt, page);
    at(value, limit->geometry().right() + Gap,
       limit->y() + (limit->height() - value->sizeHint().height()) / 2, 80);
    auto* unit = new RadioGroupWidget(&form.rgCentPkt, page);
    unit->setGeometry(value->geometry().right() + 2 * Gap, limit->y() + limit->height() / 2 - 17,
                      160, 34);
    return page;
}

QWidget* endPage(App::TForm1& form, QWidget* parent, SummaryTree** summary)
{
    auto* page = new QWidget(parent);
    auto* tree = new SummaryTree(QStringLiteral("tvSummary"), page);
    tree->setGeometry(Left, 4, WizardPages::PageWidth, 300);
    if (summary)
        *summary = tree;
    auto* generate = button(form.btGeneruj, page, Left, 312, 120);
    auto* save = button(form.btZapisz, page, generate->geometry().right() + Gap, 312, 110);
    button(form.btExport, page, save->geometry().right() + Gap, 312, 180);
    return page;
}

} // namespace

void WizardPages::placeBeside(RadioGroupWidget* group, int item, QWidget* widget, int width,
                              const QList<int>& alignItems)
{
    new BesidePlacer(group, item, widget, width, alignItems);
}

QList<QWidget*> WizardPages::build(App::TForm1& form, QWidget* parent, SummaryTree** summary)
{
    QList<QWidget*> pages{startPage(form, parent),      generalPage(form, parent),
                          safeguardsPage(form, parent), positionsPage(form, parent),
                          ordersPage(form, parent),     endPage(form, parent, summary)};
    for (QWidget* page : std::as_const(pages))
        page->setAutoFillBackground(true);
    return pages;
}

} // namespace Shell
