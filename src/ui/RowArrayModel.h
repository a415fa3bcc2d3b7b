// A table's row array: rows of values by fixed string keys, one column per key.
// Pictures (QImage values) are drawn as small icons in their cell.
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QString>
#include <QVariant>

#include <vector>

namespace pc {

class RowArrayModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString key;
        QString title;
    };
    using Row = QHash<QString, QVariant>;

    explicit RowArrayModel(std::vector<Column> columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const Row& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    // Replaces every row at once: one reset instead of one insertion per row.
    void setRows(std::vector<Row> rows);
    void append(Row row);
    void insert(int index, Row row);
    void removeAt(int index);
    // Changes one value; a row that does not exist is left alone.
    void setValue(int index, const QString& key, const QVariant& value);

private:
    std::vector<Column> columns_;
    std::vector<Row> rows_;
};

} // namespace pc
