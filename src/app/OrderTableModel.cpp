#include "app/OrderTableModel.h"

#include "app/Simulation.h"
#include "app/SimulationTexts.h"

namespace App {

namespace {

// Bar, refresh, quantity, limit, activation, holding after.
bool IsNumberColumn(int column)
{
    return column == 0 || column == 2 || (column >= 7 && column <= 9) || column == 11;
}

} // namespace

void OrderTableModel::setOrders(const QList<Sim::OrderRow>& orders)
{
    beginResetModel();
    m_orders = orders;
    endResetModel();
}

int OrderTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_orders.size());
}

int OrderTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(SimulationTexts::LogColumns.size());
}

QVariant OrderTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_orders.size())
        return {};
    const Sim::OrderRow& row = m_orders[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return OrderLogFields(row).value(index.column());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignVCenter |
                   (IsNumberColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
    case RefusedRole:
        return row.status == Sim::OrderStatus::Refused;
    default:
        break;
    }
    return {};
}

QVariant OrderTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return SimulationTexts::LogColumns.value(section);
}

} // namespace App
