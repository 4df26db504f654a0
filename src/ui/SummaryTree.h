#pragma once
// The summary tree of the last wizard page: bold underlined headers, "?" bold on red.

#include "generator/Summary.h"

#include <QTreeWidget>

namespace Shell {

/// A read-only tree on a silver background, indent 50, without expand buttons or lines,
/// whose items never collapse.
class SummaryTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit SummaryTree(const QString& name, QWidget* parent = nullptr);

    /// Rebuilds the tree from the nine categories and expands every item.
    void setSummary(const QList<Afl::SummaryNode>& nodes);
    /// Whether item is a header (drawn bold and underlined).
    static bool isHeader(const QTreeWidgetItem* item);

    static QColor silver() { return QColor(192, 192, 192); }
};

} // namespace Shell
