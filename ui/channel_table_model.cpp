#include "ui/channel_table_model.h"

#include <QColor>

#include "model/channel_table.h"

namespace qx {

QColor ChannelTableModel::shadeColour() { return QColor(241, 235, 241); }

ChannelTableModel::ChannelTableModel(ChannelTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table)
{
    observerId_ = table_.addObserver([this](const TableChange& change) {
        if (change.kind == TableChange::Kind::Cell && change.row == 0) {
            emit headerDataChanged(Qt::Horizontal, change.column - 1, change.column - 1);
            return;
        }
        if (change.kind == TableChange::Kind::Cell && change.column > 0) {
            const QModelIndex i = indexOf(change.column, change.row);
            emit dataChanged(i, i, {Qt::DisplayRole});
            return;
        }
        if (change.firstRow == 0)
            emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        const int first = std::max(change.firstRow, 1);
        const int last = std::max(change.lastRow, 1);
        emit dataChanged(indexOf(1, first), indexOf(col::Count - 1, last), {Qt::DisplayRole});
        emit headerDataChanged(Qt::Vertical, first - 1, last - 1);
    });
}

ChannelTableModel::~ChannelTableModel() { table_.removeObserver(observerId_); }

int ChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kChannelCount;
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : col::Count - 1;
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(table_.cell(tableColumn(index), tableRow(index)));
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if ((tableRow(index) - 1) % 3 == 0)
            return shadeColour();
        return {};
    default: return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return QString::fromStdString(table_.cell(section + 1, 0));
    return QString::fromStdString(table_.cell(col::Number, section + 1));
}

QString ChannelTableModel::numberHeader() const { return QString::fromStdString(table_.cell(col::Number, 0)); }

}  // namespace qx
