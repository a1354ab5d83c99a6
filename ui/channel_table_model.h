#pragma once
// The channel table as a Qt item model for the grid: view row r is channel r + 1, view column c is
// table column c + 1; the headers are table row 0 and column 0. Read-only; follows the table's
// change notices.

#include <QAbstractTableModel>

namespace qx {

class ChannelTable;

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Background of channel rows 1, 4, 7, ..., 127.
    static QColor shadeColour();

    explicit ChannelTableModel(ChannelTable& table, QObject* parent = nullptr);
    ~ChannelTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The channel-number column's header (table cell 0, 0), which the view draws in its corner.
    QString numberHeader() const;

    // Table coordinates of a view index and back.
    static int tableColumn(const QModelIndex& index) { return index.column() + 1; }
    static int tableRow(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex indexOf(int column, int row) const { return index(row - 1, column - 1); }

private:
    ChannelTable& table_;
    int observerId_ = 0;
};

}  // namespace qx
