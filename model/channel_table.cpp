#include "model/channel_table.h"

#include <algorithm>
#include <cstdio>

namespace qx {

TextTable::TextTable(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns * rows))
{
}

TextTable& TextTable::operator=(const TextTable& other)
{
    if (this == &other)
        return *this;
    columns_ = other.columns_;
    rows_ = other.rows_;
    cells_ = other.cells_;
    if (updateDepth_ > 0) {
        dirtyFirst_ = 0;
        dirtyLast_ = rows_ - 1;
        return *this;
    }
    TableChange change;
    change.kind = TableChange::Kind::Rows;
    change.firstRow = 0;
    change.lastRow = rows_ - 1;
    notify(change);
    return *this;
}

const std::string& TextTable::cell(int column, int row) const
{
    static const std::string empty;
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_)
        return empty;
    return cells_[static_cast<std::size_t>(row * columns_ + column)];
}

void TextTable::setCell(int column, int row, std::string text)
{
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_)
        return;
    std::string& target = cells_[static_cast<std::size_t>(row * columns_ + column)];
    if (target == text)
        return;
    target = std::move(text);
    if (updateDepth_ > 0) {
        dirtyFirst_ = dirtyFirst_ < 0 ? row : std::min(dirtyFirst_, row);
        dirtyLast_ = std::max(dirtyLast_, row);
        return;
    }
    TableChange change;
    change.kind = TableChange::Kind::Cell;
    change.column = column;
    change.row = row;
    change.firstRow = change.lastRow = row;
    notify(change);
}

void TextTable::beginUpdate() { ++updateDepth_; }

void TextTable::endUpdate()
{
    if (updateDepth_ == 0 || --updateDepth_ > 0)
        return;
    if (dirtyFirst_ < 0)
        return;
    TableChange change;
    change.kind = TableChange::Kind::Rows;
    change.firstRow = dirtyFirst_;
    change.lastRow = dirtyLast_;
    dirtyFirst_ = dirtyLast_ = -1;
    notify(change);
}

int TextTable::addObserver(Observer observer)
{
    const int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void TextTable::removeObserver(int id)
{
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void TextTable::notify(const TableChange& change)
{
    // A copy, so an observer may unsubscribe while being told.
    const auto observers = observers_;
    for (const auto& entry : observers)
        entry.second(change);
}

std::string channelNumberText(int channel)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.3d", channel);
    return buf;
}

ChannelTable::ChannelTable() : TextTable(col::Count, kTableRows)
{
    static constexpr std::string_view kHeaders[col::Count] = {
        "信道", "接收频率", "QT/DQT解码", "发射频率", "QT/DQT编码", "发射功率",
        "宽/窄带", "扫描添加", "DTMF", "PTT ID", "信道别名", "更多..."};
    for (int c = 0; c < col::Count; ++c)
        setCell(c, 0, std::string(kHeaders[c]));
    for (int row = 1; row <= kChannelCount; ++row) {
        setCell(col::Number, row, channelNumberText(row));
        setCell(col::More, row, ">>");
    }
}

ChannelExtras::ChannelExtras() : TextTable(xcol::Count, kTableRows)
{
    static constexpr std::string_view kNames[xcol::Count] = {"", "尾音消除", "VOX", "繁忙锁定", "RX Code", "TX Code", "语音模式"};
    for (int c = 1; c < xcol::Count; ++c)
        setCell(c, 0, std::string(kNames[c]));
}

}  // namespace qx
