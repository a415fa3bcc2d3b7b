// SPDX-License-Identifier: GPL-3.0-or-later
// A table's row array: rows of values by fixed string keys, one column per key.
// Pictures (pc::Picture values) are drawn as small icons in their cell.
#pragma once

#include "records/Picture.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QPixmap>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <utility>
#include <vector>

namespace pc {

class RowArrayModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString key;
        QString title;
    };
    // A row as given: its values by key, in a plain array (a hash per row costs
    // about a kilobyte). A key with no column is kept for value().
    class Row {
    public:
        using Entry = std::pair<QString, QVariant>;
        struct const_iterator : std::vector<Entry>::const_iterator {
            const QString& key() const { return (*this)->first; }
            const QVariant& value() const { return (*this)->second; }
        };
        Row() = default;
        Row(std::initializer_list<Entry> entries) : entries_(entries) {}
        void insert(const QString& key, const QVariant& value) { entries_.emplace_back(key, value); }
        const_iterator begin() const { return {entries_.begin()}; }
        const_iterator end() const { return {entries_.end()}; }

    private:
        std::vector<Entry> entries_;
    };
    // A held row, read by key.
    class RowView {
    public:
        RowView(const RowArrayModel& model, int index) : model_(model), index_(index) {}
        QVariant value(const QString& key) const { return model_.value(index_, key); }

    private:
        const RowArrayModel& model_;
        int index_;
    };

    // A row's value under this key is the tooltip of each of its cells.
    static inline const QString kToolTipKey = QStringLiteral("toolTip");

    explicit RowArrayModel(std::vector<Column> columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A row's value for `key`; invalid when the row or the value does not exist.
    QVariant value(int index, const QString& key) const;
    RowView row(int index) const { return {*this, index}; }
    // Replaces every row at once: one reset instead of one insertion per row.
    void setRows(std::vector<Row> rows);
    void append(Row row);
    void insert(int index, Row row);
    void removeAt(int index);
    // Changes one value; a row that does not exist is left alone.
    void setValue(int index, const QString& key, const QVariant& value);

private:
    // Rows are held as values in key order, without the keys.
    using Cells = std::vector<QVariant>;
    // The slot of a key, keys_.size() for one not held; slotOf makes one for it.
    std::size_t slotFor(const QString& key) const;
    std::size_t slotOf(const QString& key);
    Cells cellsOf(const Row& row);
    QVariant iconOf(const Picture& picture) const;

    struct Icon {
        Picture picture;
        QPixmap pixmap;
    };

    std::vector<Column> columns_;
    std::vector<QString> keys_;
    std::vector<Cells> rows_;
    // Icons of the rows painted lately, so that scrolling does not scale them again.
    mutable QCache<const PictureData*, Icon> icons_{256};
};

} // namespace pc

Q_DECLARE_METATYPE(pc::Picture)
