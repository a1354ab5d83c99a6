#include "ui/channel_grid.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "files/language.h"
#include "model/codeplug.h"
#include "ui/channel_table_model.h"
#include "ui/filtered_field.h"
#include "ui/message_dialog.h"
#include "ui/skins.h"

namespace qx {

namespace {

constexpr int kFirstRepeatMs = 1000;
constexpr int kRepeatMs = 200;

// Texts centred, no selection highlight; the current cell is framed in the skin's highlight colour,
// whether or not the grid has the focus, so the row commands act on a row the user can see. Rows of
// the channel range are tinted with the same colour, lightly, so their texts stay readable.
class PlainCellDelegate : public QStyledItemDelegate {
public:
    PlainCellDelegate(QAbstractItemView* view, const ChannelGrid& page)
        : QStyledItemDelegate(view), view_(view), page_(page)
    {
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem plain(option);
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QStyledItemDelegate::paint(painter, plain, index);
        if (page_.inShownSelection(ChannelTableModel::tableRow(index))) {
            QColor tint = option.palette.color(QPalette::Active, QPalette::Highlight);
            tint.setAlpha(kRangeAlpha);
            painter->fillRect(option.rect, tint);
        }
        if (index != view_->currentIndex())
            return;
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Active, QPalette::Highlight), kCurrentFrame));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(kCurrentFrame / 2.0, kCurrentFrame / 2.0,
                                                      -kCurrentFrame / 2.0, -kCurrentFrame / 2.0));
        painter->restore();
    }

private:
    static constexpr int kCurrentFrame = 2;
    static constexpr int kRangeAlpha = 90;
    QAbstractItemView* view_;
    const ChannelGrid& page_;
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
    // No context menu and no drops: text enters only through the key filters.
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
    edit->hide();
    return edit;
}

// Keys that move the grid's selection; none of them may flip a toggle where it lands.
bool isMoveKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    default: return false;
    }
}

bool isTab(const QKeyEvent* event) { return event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab; }

bool forwardTab(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
}

}  // namespace

// ---- GridView ---------------------------------------------------------------------------------

GridView::GridView(ChannelGrid& page) : QTableView(&page), page_(page)
{
    setObjectName("StringAlignGrid1");
    setItemDelegate(new PlainCellDelegate(this, page));
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
    if (!mouseSelecting_ && !quiet_)
        page_.clickSteps();
}

void GridView::moveQuietly(const QModelIndex& target)
{
    quiet_ = true;
    setCurrentIndex(target);
    quiet_ = false;
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (event->modifiers() & Qt::ShiftModifier) {
        // Shift+click extends the channel range; the cell clicked is neither made current nor
        // toggled.
        extending_ = true;
        if (event->button() == Qt::LeftButton && hit.isValid())
            page_.extendSelection(ChannelTableModel::tableRow(hit));
        event->accept();
        return;
    }
    mouseSelecting_ = true;
    QTableView::mousePressEvent(event);
    mouseSelecting_ = false;
    if (hit.isValid() && hit == currentIndex())
        page_.clickSteps();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->modifiers() & Qt::ShiftModifier) {
        extending_ = true;
        event->accept();
        return;
    }
    const QModelIndex hit = indexAt(event->position().toPoint());
    QTableView::mouseDoubleClickEvent(event);
    if (hit.isValid())
        page_.gridDoubleClick(hit);
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    if (extending_) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (extending_) {
        if (event->buttons() == Qt::NoButton)
            extending_ = false;
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if ((event->modifiers() & Qt::ShiftModifier) && isMoveKey(event->key())) {
        page_.extendSelectionByKey(event->key());
        event->accept();
        return;
    }
    if (isMoveKey(event->key())) {
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
    event->accept();
    wheelStep(event->angleDelta().y());
}

void GridView::wheelStep(int dy)
{
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
    // A header click would select a column or row and run its click steps (toggling the cell it
    // lands on); column headers do nothing, row numbers are handled in eventFilter.
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->verticalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->viewport()->installEventFilter(this);
    grid_->verticalHeader()->viewport()->installEventFilter(this);
    // The channel-number column's header: the grid's corner has no text of its own.
    auto* corner = new QLabel(grid_);
    corner->setObjectName("channelNumberHeader");
    corner->setAlignment(Qt::AlignCenter);
    corner->setAttribute(Qt::WA_TransparentForMouseEvents);
    corner_ = corner;
    grid_->installEventFilter(this);
    fitColumns();
    connect(model_, &QAbstractItemModel::headerDataChanged, this, [this] {
        fitColumns();
        placeCornerCaption();
    });

    QWidget* cells = grid_->viewport();
    freqEdit_ = makeCellEdit("bsSkinEdit1", 9, cells);
    aliasEdit_ = makeCellEdit("bsSkinEdit7", 6, cells);
    toneBox_ = new QComboBox(cells);
    toneBox_->setObjectName("ComboBox1");
    toneBox_->setEditable(false);
    toneBox_->setMaxVisibleItems(skins::kToneListRows);
    skins::keepVisibleItemLimit(*toneBox_);
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
    // Auto add works on the raw button events: any button, and held wherever the pointer goes.
    autoAddButton_->installEventFilter(this);

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

void ChannelGrid::placeCornerCaption()
{
    auto* corner = static_cast<QLabel*>(corner_);
    corner->setText(model_->numberHeader());
    const int frame = grid_->frameWidth();
    corner->setGeometry(frame, frame, grid_->verticalHeader()->width(), grid_->horizontalHeader()->height());
    corner->raise();
}

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
    collapseSelection(ChannelTableModel::tableRow(at), false);
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
    const QEvent::Type type = event->type();
    if (watched == freqEdit_) {
        const CharFilter accepts = [](const QString& text, char32_t c) {
            return c != grid::kBackspace && grid::frequencyKeyAccepted(text.toStdString(), c);
        };
        if (guardFilteredField(*freqEdit_, *event, accepts, [this] { frequencyKeyUp(); }))
            return true;
        if (type == QEvent::KeyPress)
            return frequencyKeyPress(static_cast<QKeyEvent*>(event));
    } else if (watched == aliasEdit_) {
        const CharFilter accepts = [](const QString&, char32_t c) {
            return c != grid::kBackspace && c != grid::kEnter && grid::aliasKeyAccepted(c);
        };
        if (guardFilteredField(*aliasEdit_, *event, accepts, [this] { aliasKeyUp(); }))
            return true;
        if (type == QEvent::KeyPress)
            return aliasKeyPress(static_cast<QKeyEvent*>(event));
    } else if (watched == toneBox_) {
        if (type == QEvent::FocusOut) {
            // Its own list opening (which also takes the focus into the list), or another window
            // taking the focus, is not leaving it.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            QWidget* popup = toneBox_->view()->window();
            QWidget* now = QApplication::focusWidget();
            const bool intoOwnList = now && (now == popup || popup->isAncestorOf(now));
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !intoOwnList)
                toneExit();
        } else if (type == QEvent::Wheel) {
            // The wheel moves the grid's selection, as everywhere else in the grid.
            grid_->wheelStep(static_cast<QWheelEvent*>(event)->angleDelta().y());
            return true;
        }
    } else if (watched == autoAddButton_) {
        return autoAddButtonEvent(event);
    } else if (watched == grid_->horizontalHeader()->viewport()) {
        // Presses and drags on the column headers select nothing; double clicks do nothing.
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            return true;
    } else if (watched == grid_->verticalHeader()->viewport()) {
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const int section = grid_->verticalHeader()->logicalIndexAt(mouse->position().toPoint());
            if (mouse->button() == Qt::LeftButton && section >= 0) {
                if (mouse->modifiers() & Qt::ShiftModifier)
                    extendSelection(section + 1);
                else
                    rowNumberClicked(section + 1);
            }
            return true;
        }
    } else if (watched == grid_ && (type == QEvent::Resize || type == QEvent::LayoutRequest ||
                                    type == QEvent::Show)) {
        placeCornerCaption();
    }
    return QWidget::eventFilter(watched, event);
}

bool ChannelGrid::autoAddButtonEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!autoAddHeld_) {
            autoAddHeld_ = true;
            autoAddButton_->setDown(true);
            bsSkinButton6MouseDown();
        }
        return true;
    case QEvent::MouseButtonRelease:
        // The last button let go ends the hold.
        if (autoAddHeld_ && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) {
            autoAddHeld_ = false;
            autoAddButton_->setDown(false);
            bsSkinButton6MouseUp();
        }
        return true;
    case QEvent::MouseMove:
        // Leaving and re-entering the button while it is held neither stops nor restarts it.
        return autoAddHeld_;
    default: return false;
    }
}

void ChannelGrid::rowNumberClicked(int row)
{
    const QModelIndex target = model_->indexOf(col::Rx, row);
    if (!target.isValid())
        return;
    if (grid_->currentIndex() != target)
        grid_->moveQuietly(target);
    else
        selectionChanging();
    hideEditors();
    doc_.setCurrent(col::Rx, row);
    collapseSelection(row, true);
    emit channelSelected(row);
}

void ChannelGrid::collapseSelection(int row, bool shown)
{
    if (rangeAnchor_ == row && rangeEnd_ == row && rangeShown_ == shown)
        return;
    rangeAnchor_ = rangeEnd_ = row;
    rangeShown_ = shown;
    grid_->viewport()->update();
}

void ChannelGrid::extendSelection(int row)
{
    row = std::clamp(row, 1, kChannelCount);
    // The range starts at the current channel, wherever an earlier extension left its other end.
    rangeAnchor_ = doc_.currentRow() >= 1 ? doc_.currentRow() : 1;
    rangeEnd_ = row;
    rangeShown_ = true;
    const int column = std::clamp(doc_.currentColumn(), col::Rx, col::More);
    grid_->scrollTo(model_->indexOf(column, row));
    grid_->viewport()->update();
}

bool ChannelGrid::extendSelectionByKey(int key)
{
    const int page = std::max(1, grid_->viewport()->height() / std::max(1, grid_->verticalHeader()->defaultSectionSize()) - 1);
    int row = rangeEnd_;
    switch (key) {
    case Qt::Key_Up: row -= 1; break;
    case Qt::Key_Down: row += 1; break;
    case Qt::Key_PageUp: row -= page; break;
    case Qt::Key_PageDown: row += page; break;
    case Qt::Key_Home: row = 1; break;
    case Qt::Key_End: row = kChannelCount; break;
    default: return true;  // Shift+Left/Right: the range is of whole channels
    }
    extendSelection(row);
    return true;
}

void ChannelGrid::tabFromEditor(bool forward)
{
    const int column = doc_.currentColumn() + (forward ? 1 : -1);
    const int row = doc_.currentRow();
    hideEditors();
    grid_->setFocus();
    doc_.sendallcell();
    if (column < col::Rx || column > col::More) {
        clickSteps();  // at the row's end: as Enter
        return;
    }
    // Like an arrow key, the move along the row flips no toggle it lands on.
    suppressToggle_ = true;
    selectCell(column, row);
    suppressToggle_ = false;
}

bool ChannelGrid::frequencyKeyPress(QKeyEvent* event)
{
    if (isTab(event)) {
        tabFromEditor(forwardTab(event));
        return true;
    }
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
    if (isTab(event)) {
        tabFromEditor(forwardTab(event));
        return true;
    }
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
    if (grid::moveChannel(doc_, delta)) {
        // The selection, and the editor open on it, follow the moved channel; the move toggles
        // nothing where it lands.
        QWidget* focused = QApplication::focusWidget();
        const bool editorFocused = focused == freqEdit_ || focused == aliasEdit_;
        suppressToggle_ = true;
        selectCell(doc_.currentColumn(), doc_.currentRow());
        suppressToggle_ = false;
        if (editorFocused && !focused->isHidden())
            focused->setFocus();
    }
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
    placeCornerCaption();
    // A window restored from minimised shows the page again; nothing on it changes.
    if (event->spontaneous())
        return;
    // Settles the keyboard focus on the page the way the first show of the editor did; an editor
    // open with an edit in it stays open, so the command that switched pages can still commit it.
    if (freqEdit_->isHidden()) {
        freqEdit_->show();
        freqEdit_->setFocus();
        freqEdit_->hide();
    }
    grid_->setFocus();
}

}  // namespace qx
