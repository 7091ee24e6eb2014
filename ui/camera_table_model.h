#pragma once

#include "cameras/camera_table.h"

#include <QAbstractTableModel>

namespace netlark {

/// The camera table as the list shows it: nine columns, the first three with
/// headers, rows in the table's serial-number order.
class CameraTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    /// Adds a camera where its serial belongs and returns the row it took.
    int insert(const CameraRow& row);
    void clear();

    const CameraTable& table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    CameraTable m_table;
};

} // namespace netlark
