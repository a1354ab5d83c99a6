#include "ui/channel_grid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "files/language.h"
#include "model/codeplug.h"
#include "ui/channel_table_model.h"
#include "ui/message_dialog.h"

namespace qx {

namespace {

constexpr int kFirstRepeatMs = 1000;
constexpr int kRepeatMs = 200;

// Texts centred, no highlight and no focus frame for the selected cell.
class PlainCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem plain(option);
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

// The character a key press carries for the key filters: Enter and Backspace as their control
// codes, otherwise the typed character; 0 for keys that type nothing (arrows, Delete, F-keys).
char32_t typedChar(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return grid::kEnter;
    case Qt::Key_Backspace: return grid::kBackspace;
    default: break;
    }
    const QList<uint> ucs = event->text().toUcs4();
    return ucs.isEmpty() ? 0 : char32_t(ucs.front());
}

QLineEdit* makeCellEdit(const char* name, int maxLength, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setAlignment(Qt::AlignCenter);
    edit->setFrame(false);
    // No context menu: text enters only through the key filters.
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->hide();
    return edit;
}

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// Keys that would put text into an editor past its filter.
bool isPasteKey(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Paste) ||
           (event->key() == Qt::Key_Insert && (event->modifiers() & Qt::ShiftModifier));
}

}  // namespace

// ---- GridView ---------------------------------------------------------------------------------

GridView::GridView(ChannelGrid& page) : QTableView(&page), page_(page)
{
    setObjectName("StringAlignGrid1");
    setItemDelegate(new PlainCellDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    // The document's current cell is still the one being left: commit it.
    page_.selectionChanging();
    if (!mouseSelecting_)
        page_.clickSteps();
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex hit = indexAt(event->position().toPoint());
    mouseSelecting_ = true;
    QTableView::mousePressEvent(event);
    mouseSelecting_ = false;
    if (hit.isValid() && hit == currentIndex())
        page_.clickSteps();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex hit = indexAt(event->position().toPoint());
    QTableView::mouseDoubleClickEvent(event);
    if (hit.isValid())
        page_.gridDoubleClick(hit);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (isArrow(event->key())) {
        page_.suppressToggle_ = true;
        const QModelIndex before = currentIndex();
        QTableView::keyPressEvent(event);
        // At an edge nothing moved and no click comes to use the flag up.
        if (currentIndex() == before)
            page_.suppressToggle_ = false;
        return;
    }
    if (page_.gridKeyDown(event->key()))
        return;
    const char32_t c = typedChar(event);
    if (c != 0) {
        page_.gridKeyPress(c);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::wheelEvent(QWheelEvent* event)
{
    const int dy = event->angleDelta().y();
    event->accept();
    if (dy == 0)
        return;
    const QModelIndex at = currentIndex();
    const int row = (at.isValid() ? at.row() : 0) + (dy > 0 ? -1 : 1);
    if (row < 0 || row >= model()->rowCount())
        return;
    page_.gridWheel();
    setCurrentIndex(model()->index(row, at.isValid() ? at.column() : 0));
}

void GridView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    page_.checkEditorPlacement();
}

// ---- ChannelGrid ------------------------------------------------------------------------------

ChannelGrid::ChannelGrid(Codeplug& doc, QWidget* parent) : QWidget(parent), doc_(doc)
{
    setObjectName("ChannelGrid");
    text_ = [](int number) { return QString::fromStdString(StringTable::builtIn().text(number)); };

    auto makeButton = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    upButton_ = makeButton("bsSkinButton3");
    downButton_ = makeButton("bsSkinButton4");
    deleteButton_ = makeButton("bsSkinButton5");
    autoAddButton_ = makeButton("bsSkinButton6");
    clearButton_ = makeButton("bsSkinButton9");

    model_ = new ChannelTableModel(doc_.channels(), this);
    grid_ = new GridView(*this);
    grid_->setModel(model_);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid_->verticalHeader()->setMinimumWidth(40);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->verticalHeader()->setHighlightSections(false);
    fitColumns();
    connect(model_, &QAbstractItemModel::headerDataChanged, this, &ChannelGrid::fitColumns);

    QWidget* cells = grid_->viewport();
    freqEdit_ = makeCellEdit("bsSkinEdit1", 9, cells);
    aliasEdit_ = makeCellEdit("bsSkinEdit7", 6, cells);
    toneBox_ = new QComboBox(cells);
    toneBox_->setObjectName("ComboBox1");
    toneBox_->setEditable(false);
    toneBox_->setMaxVisibleItems(15);
    for (const std::string& t : doc_.tones().texts())
        toneBox_->addItem(QString::fromStdString(t));
    toneBox_->hide();

    freqEdit_->installEventFilter(this);
    aliasEdit_->installEventFilter(this);
    toneBox_->installEventFilter(this);
    connect(freqEdit_, &QLineEdit::textEdited, this, &ChannelGrid::frequencyKeyUp);
    connect(aliasEdit_, &QLineEdit::textEdited, this, &ChannelGrid::aliasKeyUp);
    connect(toneBox_, &QComboBox::activated, this, &ChannelGrid::toneChange);

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    connect(timer_, &QTimer::timeout, this, &ChannelGrid::Timer1Timer);

    connect(upButton_, &QPushButton::clicked, this, &ChannelGrid::bsSkinButton3Click);
    connect(downButton_, &QPushButton::clicked, this, &ChannelGrid::bsSkinButton4Click);
    connect(deleteButton_, &QPushButton::clicked, this, &ChannelGrid::bsSkinButton5Click);
    connect(clearButton_, &QPushButton::clicked, this, &ChannelGrid::bsSkinButton9Click);
    connect(autoAddButton_, &QPushButton::pressed, this, &ChannelGrid::bsSkinButton6MouseDown);
    connect(autoAddButton_, &QPushButton::released, this, &ChannelGrid::bsSkinButton6MouseUp);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (QPushButton* b : {upButton_, downButton_, deleteButton_, autoAddButton_, clearButton_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(buttons);
    layout->addWidget(grid_, 1);

    retext();
    // Initially row 1, column 1, without running the click.
    grid_->selectionModel()->setCurrentIndex(model_->indexOf(col::Rx, 1), QItemSelectionModel::NoUpdate);
    grid_->setFocus();
}

ChannelGrid::~ChannelGrid() = default;

void ChannelGrid::setMessageDialog(MessageDialog* dialog)
{
    messages_ = dialog;
    if (messages_) {
        messages_->setAfter(DialogOutcome::ClearChannels, [this] { afterClearChannels(); });
    }
}

void ChannelGrid::fitColumns()
{
    // RX, decode, TX, encode, power, bandwidth, scan, DTMF, PTT ID, alias, more; wider where a
    // language's header needs it.
    static constexpr int kWidths[] = {74, 56, 74, 56, 56, 56, 56, 44, 48, 58, 40};
    constexpr int kPadding = 8;
    // A frequency is nine characters ("462.56250"); its columns leave room on both sides of them.
    constexpr int kFrequencyPadding = 16;
    const int frequencyWidth =
        grid_->fontMetrics().horizontalAdvance(QStringLiteral("888.88888")) + kFrequencyPadding;
    const QFontMetrics metrics = grid_->horizontalHeader()->fontMetrics();
    int total = 0;
    for (int c = 0; c < int(std::size(kWidths)); ++c) {
        const QString text = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        int width = std::max(kWidths[c], metrics.horizontalAdvance(text) + kPadding);
        if (c + 1 == col::Rx || c + 1 == col::Tx)
            width = std::max(width, frequencyWidth);
        grid_->setColumnWidth(c, width);
        total += width;
    }
    // The grid asks for room for every column, so the window widens rather than cut the last one.
    const QHeaderView* rows = grid_->verticalHeader();
    total += std::max(rows->minimumWidth(), rows->sizeHint().width());
    total += grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth();
    grid_->setMinimumWidth(total);
}

void ChannelGrid::retext()
{
    upButton_->setText(text_(65));
    downButton_->setText(text_(66));
    deleteButton_->setText(text_(67));
    autoAddButton_->setText(text_(80));
    clearButton_->setText(text_(96));
}

void ChannelGrid::selectCell(int column, int row)
{
    const QModelIndex target = model_->indexOf(column, row);
    if (!target.isValid())
        return;
    if (grid_->currentIndex() != target) {
        grid_->setCurrentIndex(target);
        return;
    }
    // Already there: the grid raises no selection change, so run what it would have.
    selectionChanging();
    clickSteps();
}

void ChannelGrid::hideEditors()
{
    freqEdit_->hide();
    toneBox_->hide();
    aliasEdit_->hide();
}

void ChannelGrid::commitAndHideEditors()
{
    if (!freqEdit_->isHidden())
        doc_.sendallcell();
    hideEditors();
}

void ChannelGrid::clearFrequencyEditorText() { freqEdit_->clear(); }

void ChannelGrid::afterClearChannels()
{
    selectCell(col::Rx, 1);
    toneBox_->hide();
    freqEdit_->hide();
}

void ChannelGrid::selectionChanging() { doc_.sendallcell(); }

void ChannelGrid::clickSteps()
{
    hideEditors();
    const QModelIndex at = grid_->currentIndex();
    if (!at.isValid())
        return;
    const grid::Editor editor =
        grid::click(doc_, ChannelTableModel::tableColumn(at), ChannelTableModel::tableRow(at), suppressToggle_);
    const int column = doc_.currentColumn();
    const int row = doc_.currentRow();
    emit channelSelected(row);
    const QString cellText = QString::fromStdString(doc_.channels().cell(column, row));
    switch (editor) {
    case grid::Editor::Frequency:
        freqEdit_->setText(cellText);
        placeEditor(freqEdit_, column, row);
        break;
    case grid::Editor::Alias:
        aliasEdit_->setText(cellText);
        placeEditor(aliasEdit_, column, row);
        break;
    case grid::Editor::Tone:
        toneBox_->setItemText(0, QString::fromStdString(doc_.tones().text(0)));
        toneBox_->setCurrentIndex(toneBox_->findText(cellText, Qt::MatchExactly | Qt::MatchCaseSensitive));
        toneRow_ = row;
        placeEditor(toneBox_, column, row);
        break;
    case grid::Editor::None: break;
    }
}

void ChannelGrid::placeEditor(QWidget* editor, int column, int row)
{
    editorRect_ = grid_->visualRect(model_->indexOf(column, row));
    editor->setGeometry(editorRect_);
    editor->show();
    editor->raise();
}

void ChannelGrid::checkEditorPlacement()
{
    const QRect now = grid_->visualRect(model_->indexOf(doc_.currentColumn(), doc_.currentRow()));
    if (now == editorRect_)
        return;
    for (QWidget* editor : {static_cast<QWidget*>(freqEdit_), static_cast<QWidget*>(toneBox_),
                            static_cast<QWidget*>(aliasEdit_)}) {
        if (!editor->isHidden())
            editor->hide();
    }
}

void ChannelGrid::gridDoubleClick(const QModelIndex& index)
{
    if (ChannelTableModel::tableColumn(index) == col::More)
        emit openSingleChannel(ChannelTableModel::tableRow(index));
}

bool ChannelGrid::gridKeyDown(int key)
{
    if (key == Qt::Key_Delete) {
        grid::deleteKey(doc_);
        return true;
    }
    if (key == Qt::Key_Backspace)
        grid::backspaceKey(doc_);  // the key press (Backspace character) follows
    return false;
}

void ChannelGrid::gridKeyPress(char32_t key)
{
    const int column = doc_.currentColumn();
    if (column == col::Alias) {
        if (!grid::aliasKeyAccepted(key))
            return;
        if (key == grid::kEnter) {
            aliasEdit_->hide();
            grid_->setFocus();
            return;
        }
        if (aliasEdit_->isHidden())
            return;
        aliasEdit_->setText(key == grid::kBackspace ? QString() : QString::fromUcs4(&key, 1));
        aliasEdit_->setFocus();
        aliasEdit_->setCursorPosition(aliasEdit_->text().isEmpty() ? 0 : 1);
        aliasKeyUp();
        return;
    }
    const bool freqColumn =
        column == col::Rx || (column == col::Tx && !doc_.channels().cell(col::Rx, doc_.currentRow()).empty());
    if (!freqColumn || freqEdit_->isHidden())
        return;
    if (key == grid::kEnter) {
        freqEdit_->setFocus();
    } else if (key >= U'0' && key <= U'9') {
        freqEdit_->setText(QString(QChar(char16_t(key))));
        freqEdit_->setFocus();
        freqEdit_->setCursorPosition(1);
        frequencyKeyUp();
    }
}

void ChannelGrid::gridWheel()
{
    if (doc_.currentColumn() > col::TxTone)
        suppressToggle_ = true;
}

bool ChannelGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == freqEdit_)
            return frequencyKeyPress(key);
        if (watched == aliasEdit_)
            return aliasKeyPress(key);
    } else if (event->type() == QEvent::FocusOut && watched == toneBox_) {
        toneExit();
    } else if (event->type() == QEvent::MouseButtonPress && (watched == freqEdit_ || watched == aliasEdit_)) {
        // The selection-paste of the middle button would go past the filters.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool ChannelGrid::frequencyKeyPress(QKeyEvent* event)
{
    if (isPasteKey(event))
        return true;
    const char32_t c = typedChar(event);
    if (c == 0)
        return false;  // caret movement and Delete work as in any text field
    if (c == grid::kEnter) {
        freqEdit_->hide();
        grid_->setFocus();
        doc_.sendallcell();
        clickSteps();
        return true;
    }
    return !grid::frequencyKeyAccepted(freqEdit_->text().toStdString(), c);
}

bool ChannelGrid::aliasKeyPress(QKeyEvent* event)
{
    if (isPasteKey(event))
        return true;
    const char32_t c = typedChar(event);
    if (c == 0)
        return false;
    if (!grid::aliasKeyAccepted(c))
        return true;
    if (c == grid::kEnter) {
        aliasEdit_->hide();
        grid_->setFocus();
        return true;
    }
    return false;
}

void ChannelGrid::frequencyKeyUp()
{
    doc_.channels().setCell(doc_.currentColumn(), doc_.currentRow(), freqEdit_->text().toStdString());
}

void ChannelGrid::aliasKeyUp()
{
    const QString upper = aliasEdit_->text().toUpper();
    if (upper != aliasEdit_->text())
        aliasEdit_->setText(upper);
    doc_.channels().setCell(doc_.currentColumn(), doc_.currentRow(), upper.toStdString());
    aliasEdit_->setCursorPosition(int(upper.size()));
}

void ChannelGrid::toneChange(int index)
{
    if (index < 0)
        return;
    const int column = doc_.currentColumn();
    doc_.channels().setCell(column, toneRow_, toneBox_->itemText(index).toStdString());
    doc_.extras().setCell(column == col::RxTone ? xcol::RxCode : xcol::TxCode, toneRow_, std::to_string(index));
}

void ChannelGrid::toneExit()
{
    // Without a selected entry the cell keeps its text; writing an empty tone would make the
    // channel look new and lose its settings at the next commit.
    if (toneBox_->currentIndex() >= 0)
        doc_.channels().setCell(doc_.currentColumn(), toneRow_, toneBox_->currentText().toStdString());
    toneBox_->hide();
}

void ChannelGrid::refreshFrequencyEditor()
{
    const int column = doc_.currentColumn();
    if (column == col::Rx || column == col::Tx)
        freqEdit_->setText(QString::fromStdString(doc_.channels().cell(column, doc_.currentRow())));
}

void ChannelGrid::moveButton(int delta)
{
    grid::moveChannel(doc_, delta);
    refreshFrequencyEditor();
    if (!aliasEdit_->isHidden())
        aliasEdit_->setText(QString::fromStdString(doc_.channels().cell(col::Alias, doc_.currentRow())));
}

void ChannelGrid::bsSkinButton3Click() { moveButton(-1); }
void ChannelGrid::bsSkinButton4Click() { moveButton(+1); }

void ChannelGrid::bsSkinButton5Click()
{
    if (doc_.currentRow() < 1)
        return;
    doc_.deleteChannel(doc_.currentRow());
    freqEdit_->clear();
    hideEditors();
}

void ChannelGrid::bsSkinButton9Click()
{
    if (!messages_)
        return;
    messages_->ask(text_(msg::ConfirmCaption), text_(msg::ConfirmText), pending::ClearChannels);
}

void ChannelGrid::afterAutoAdd(const grid::AutoAddResult& result)
{
    if (result.select)
        selectCell(doc_.currentColumn(), doc_.currentRow());
    else
        suppressToggle_ = false;  // no selection move comes to use it up
    refreshFrequencyEditor();
}

void ChannelGrid::bsSkinButton6MouseDown()
{
    suppressToggle_ = true;
    timer_->start(kFirstRepeatMs);
    afterAutoAdd(grid::autoAddPress(doc_));
}

void ChannelGrid::bsSkinButton6MouseUp() { timer_->stop(); }

void ChannelGrid::Timer1Timer()
{
    suppressToggle_ = true;
    timer_->setInterval(kRepeatMs);
    afterAutoAdd(grid::autoAddNext(doc_));
}

void ChannelGrid::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Settles the keyboard focus on the page the way the first show of the editor did.
    freqEdit_->show();
    freqEdit_->setFocus();
    freqEdit_->hide();
    grid_->setFocus();
}

}  // namespace qx
