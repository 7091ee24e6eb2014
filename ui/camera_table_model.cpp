#include "ui/camera_table_model.h"

namespace netlark {

int CameraTableModel::insert(const CameraRow& row) {
    const int index = m_table.insertionIndex(row);
    beginInsertRows({}, index, index);
    m_table.insert(row);
    endInsertRows();
    return index;
}

void CameraTableModel::clear() {
    beginResetModel();
    m_table.clear();
    endResetModel();
}

int CameraTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return m_table.size();
}

int CameraTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : CAMERA_COLUMN_COUNT;
}

QVariant CameraTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) {
        return {};
    }
    const int row = index.row();
    // Serial numbers come from the network byte for byte; Latin-1 shows every
    // byte as one character.
    const std::string_view text = m_table.cell(row, index.column());
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant CameraTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case COLUMN_SERIAL:
        return QStringLiteral("Serial Number");
    case COLUMN_MAC:
        return QStringLiteral("MAC Address");
    case COLUMN_IP:
        return QStringLiteral("IP Address");
    default:
        return QString();
    }
}

} // namespace netlark
