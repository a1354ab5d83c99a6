#pragma once
// The editor's copy of the 128 channels: two tables of display text.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

inline constexpr int kChannelCount = 128;
inline constexpr int kTableRows = kChannelCount + 1;  // row 0 holds the headers

// Columns of ChannelTable.
namespace col {
inline constexpr int Number = 0;     // "001".."128", fixed
inline constexpr int Rx = 1;         // receive frequency; empty means the channel is empty
inline constexpr int RxTone = 2;     // decode tone, a ToneList text
inline constexpr int Tx = 3;         // transmit frequency
inline constexpr int TxTone = 4;     // encode tone
inline constexpr int Power = 5;      // High or Low word
inline constexpr int Bandwidth = 6;  // Wide or Narrow word
inline constexpr int ScanAdd = 7;    // On or Off word
inline constexpr int Dtmf = 8;       // On or Off word
inline constexpr int PttId = 9;      // On or Off word
inline constexpr int Alias = 10;     // 0 to 6 characters
inline constexpr int More = 11;      // ">>", fixed
inline constexpr int Count = 12;
}  // namespace col

// Columns of ChannelExtras (column 0 unused).
namespace xcol {
inline constexpr int TailElim = 1;   // On or Off word
inline constexpr int Vox = 2;        // On or Off word
inline constexpr int BusyLock = 3;   // On or Off word
inline constexpr int RxCode = 4;     // ToneList index of the decode tone, "0".."265"
inline constexpr int TxCode = 5;     // ToneList index of the encode tone
inline constexpr int VoiceMode = 6;  // Off, Compander or Scrambler word
inline constexpr int Count = 7;
}  // namespace xcol

// What changed in a table. Cell: (column, row). Rows: rows firstRow..lastRow, any column.
struct TableChange {
    enum class Kind { Cell, Rows };
    Kind kind = Kind::Cell;
    int column = 0;
    int row = 0;
    int firstRow = 0;
    int lastRow = 0;
};

// A grid of text with change observers. Cell writes perform no check on the text; coordinates
// outside the table read as empty and are not written.
class TextTable {
public:
    using Observer = std::function<void(const TableChange&)>;

    TextTable(int columns, int rows);
    // Copies carry the cells, not the observers or an open update. Assigning keeps this table's
    // observers and announces every row as changed.
    TextTable(const TextTable& other) : columns_(other.columns_), rows_(other.rows_), cells_(other.cells_) {}
    TextTable& operator=(const TextTable& other);

    int columns() const { return columns_; }
    int rows() const { return rows_; }

    const std::string& cell(int column, int row) const;
    // Notifies a Cell change when the text differs (or, inside an update, marks the row).
    void setCell(int column, int row, std::string text);

    // Bulk edits: between begin and end, cell changes are gathered and announced once as a Rows
    // change covering the rows touched. Nests.
    void beginUpdate();
    void endUpdate();

    int addObserver(Observer observer);  // returns an id for removeObserver
    void removeObserver(int id);

private:
    void notify(const TableChange& change);

    int columns_;
    int rows_;
    std::vector<std::string> cells_;
    std::vector<std::pair<int, Observer>> observers_;
    int nextObserverId_ = 1;
    int updateDepth_ = 0;
    int dirtyFirst_ = -1;
    int dirtyLast_ = -1;
};

// RAII bulk edit of one or more tables.
class TableUpdate {
public:
    explicit TableUpdate(TextTable& a) : a_(&a) { a_->beginUpdate(); }
    TableUpdate(TextTable& a, TextTable& b) : a_(&a), b_(&b) { a_->beginUpdate(); b_->beginUpdate(); }
    ~TableUpdate() { if (b_) b_->endUpdate(); a_->endUpdate(); }
    TableUpdate(const TableUpdate&) = delete;
    TableUpdate& operator=(const TableUpdate&) = delete;

private:
    TextTable* a_;
    TextTable* b_ = nullptr;
};

// 129 rows x 12 columns: headers in row 0 (Simplified Chinese defaults), "001".."128" in column 0,
// ">>" in column 11 of every channel row, other channel cells empty.
class ChannelTable : public TextTable {
public:
    ChannelTable();
};

// 129 rows x 7 columns: column names in row 0, channel cells empty.
class ChannelExtras : public TextTable {
public:
    ChannelExtras();
};

// Three-digit channel number text, 1 -> "001".
std::string channelNumberText(int channel);

}  // namespace qx
