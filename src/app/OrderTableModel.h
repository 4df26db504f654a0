#pragma once
// The order log of a dry run as a table model: a row per order, the log's columns.

#include "simulation/Recorder.h"

#include <QAbstractTableModel>
#include <QList>

namespace App {

/// Rows of ReplayResult::orders with the columns of SimulationTexts::LogColumns, as the CSV log
/// writes them; numbers right-aligned. RefusedRole marks refused orders, which the view greys.
class OrderTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int RefusedRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void setOrders(const QList<Sim::OrderRow>& orders);
    const QList<Sim::OrderRow>& orders() const { return m_orders; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<Sim::OrderRow> m_orders;
};

} // namespace App
