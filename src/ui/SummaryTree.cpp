#include "ui/SummaryTree.h"

#include <QHeaderView>

namespace Shell {

namespace {
constexpr int HeaderRole = Qt::UserRole + 1;
}

SummaryTree::SummaryTree(const QString& name, QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(name);
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(50);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Base, silver());
    setPalette(pal);
    // Nothing collapses: an item that is folded is opened again at once.
    connect(this, &QTreeWidget::itemCollapsed, this,
            [](QTreeWidgetItem* item) { item->setExpanded(true); });
}

bool SummaryTree::isHeader(const QTreeWidgetItem* item)
{
    return item && item->data(0, HeaderRole).toBool();
}

void SummaryTree::setSummary(const QList<Afl::SummaryNode>& nodes)
{
    clear();
    QFont headerFont = font();
    headerFont.setBold(true);
    headerFont.setUnderline(true);
    QFont unansweredFont = font();
    unansweredFont.setBold(true);
    for (const Afl::SummaryNode& node : nodes) {
        auto* header = new QTreeWidgetItem(this, QStringList{node.header});
        header->setData(0, HeaderRole, true);
        header->setFont(0, headerFont);
        for (const Afl::SummaryValue& value : node.values) {
            auto* item = new QTreeWidgetItem(header, QStringList{value.text});
            if (value.unanswered) {
                item->setFont(0, unansweredFont);
                item->setBackground(0, QColor(255, 0, 0));
            }
        }
    }
    expandAll();
}

} // namespace Shell
