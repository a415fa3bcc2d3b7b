// SPDX-License-Identifier: GPL-3.0-or-later
#include "RowArrayModel.h"

#include "QtPicture.h"

#include <QImage>

#include <algorithm>

namespace pc {

namespace {
constexpr int kIconSize = 32;
}

RowArrayModel::RowArrayModel(std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent)
    , columns_(std::move(columns))
{
    for (const Column& column : columns_)
        keys_.push_back(column.key);
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
    const Cells& cells = rows_[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    const QVariant value = column < cells.size() ? cells[column] : QVariant();
    const bool isPicture = value.metaType() == QMetaType::fromType<Picture>();
    if (role == Qt::DisplayRole)
        return isPicture ? QVariant() : value;
    if (role == Qt::DecorationRole && isPicture)
        return iconOf(value.value<Picture>());
    if (role == Qt::ToolTipRole)
        return this->value(index.row(), kToolTipKey);
    return {};
}

// The icon is made when a row is painted, from a picture decoded then.
QVariant RowArrayModel::iconOf(const Picture& picture) const
{
    if (const Icon* icon = icons_.object(picture.get()))
        return icon->pixmap;
    const QImage image = imageOf(picture);
    if (image.isNull())
        return {};
    auto* icon = new Icon{picture,
                          QPixmap::fromImage(image.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio,
                                                          Qt::SmoothTransformation))};
    const QPixmap pixmap = icon->pixmap;
    icons_.insert(picture.get(), icon);
    return pixmap;
}

QVariant RowArrayModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return columns_[static_cast<std::size_t>(section)].title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

QVariant RowArrayModel::value(int index, const QString& key) const
{
    if (index < 0 || index >= rowCount())
        return {};
    const std::size_t slot = slotFor(key);
    const Cells& cells = rows_[static_cast<std::size_t>(index)];
    return slot < cells.size() ? cells[slot] : QVariant();
}

std::size_t RowArrayModel::slotFor(const QString& key) const
{
    return static_cast<std::size_t>(std::find(keys_.begin(), keys_.end(), key) - keys_.begin());
}

std::size_t RowArrayModel::slotOf(const QString& key)
{
    const std::size_t slot = slotFor(key);
    if (slot == keys_.size())
        keys_.push_back(key);
    return slot;
}

RowArrayModel::Cells RowArrayModel::cellsOf(const Row& row)
{
    // The slots first, so that the cells are allocated once at their size.
    std::size_t size = 0;
    for (auto value = row.begin(); value != row.end(); ++value)
        size = std::max(size, slotOf(value.key()) + 1);
    Cells cells(size);
    for (auto value = row.begin(); value != row.end(); ++value)
        cells[slotFor(value.key())] = value.value();
    return cells;
}

void RowArrayModel::setRows(std::vector<Row> rows)
{
    std::vector<Cells> cells;
    cells.reserve(rows.size());
    for (Row& row : rows)
        cells.push_back(cellsOf(row));
    beginResetModel();
    rows_ = std::move(cells);
    endResetModel();
}

void RowArrayModel::append(Row row)
{
    insert(rowCount(), std::move(row));
}

void RowArrayModel::insert(int index, Row row)
{
    index = std::clamp(index, 0, rowCount());
    Cells cells = cellsOf(row);
    beginInsertRows({}, index, index);
    rows_.insert(rows_.begin() + index, std::move(cells));
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
    const std::size_t slot = slotOf(key);
    Cells& cells = rows_[static_cast<std::size_t>(index)];
    if (slot >= cells.size())
        cells.resize(slot + 1);
    if (cells[slot] == value)
        return;
    cells[slot] = value;
    if (slot < columns_.size())
        emit dataChanged(this->index(index, static_cast<int>(slot)), this->index(index, static_cast<int>(slot)));
}

} // namespace pc
