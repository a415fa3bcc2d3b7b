#include "RowArrayModel.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <algorithm>

namespace pc {

namespace {
constexpr int kIconSize = 32;
}

RowArrayModel::RowArrayModel(std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent)
    , columns_(std::move(columns))
{
}

int RowArrayModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RowArrayModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RowArrayModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const QVariant value = rows_[static_cast<std::size_t>(index.row())].value(
        columns_[static_cast<std::size_t>(index.column())].key);
    const bool isImage = value.canConvert<QImage>() && value.typeId() == QMetaType::QImage;
    if (role == Qt::DisplayRole)
        return isImage ? QVariant() : value;
    if (role == Qt::DecorationRole && isImage) {
        const QImage image = value.value<QImage>();
        return QPixmap::fromImage(image.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    return {};
}

QVariant RowArrayModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return columns_[static_cast<std::size_t>(section)].title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

void RowArrayModel::setRows(std::vector<Row> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void RowArrayModel::append(Row row)
{
    insert(rowCount(), std::move(row));
}

void RowArrayModel::insert(int index, Row row)
{
    index = std::clamp(index, 0, rowCount());
    beginInsertRows({}, index, index);
    rows_.insert(rows_.begin() + index, std::move(row));
    endInsertRows();
}

void RowArrayModel::removeAt(int index)
{
    if (index < 0 || index >= rowCount())
        return;
    beginRemoveRows({}, index, index);
    rows_.erase(rows_.begin() + index);
    endRemoveRows();
}

void RowArrayModel::setValue(int index, const QString& key, const QVariant& value)
{
    if (index < 0 || index >= rowCount())
        return;
    QVariant& slot = rows_[static_cast<std::size_t>(index)][key];
    if (slot == value)
        return;
    slot = value;
    for (int column = 0; column < columnCount(); ++column) {
        if (columns_[static_cast<std::size_t>(column)].key == key)
            emit dataChanged(this->index(index, column), this->index(index, column));
    }
}

} // namespace pc
