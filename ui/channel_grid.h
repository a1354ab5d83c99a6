#pragma once
// The channel page: the grid StringAlignGrid1 over the channel table, its three in-place editors
// (frequency bsSkinEdit1, tone ComboBox1, alias bsSkinEdit7), the five row buttons and the
// auto-add timer Timer1. What a key, click or button does to the document lives in
// ui/grid_editing.h; this class places editors and moves the selection.

#include <QTableView>
#include <QWidget>

#include <algorithm>

#include "ui/grid_editing.h"
#include "ui/language_text.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace qx {

class Codeplug;
class ChannelGrid;
class ChannelTableModel;
class MessageDialog;

// The grid widget itself; it hands its events to the page.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(ChannelGrid& page);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class ChannelGrid;
    // The wheel's step: one row up (dy > 0) or down, as the grid's own wheel moves it.
    void wheelStep(int dy);
    // Makes `target` current without the click steps (a row-number click).
    void moveQuietly(const QModelIndex& target);

    ChannelGrid& page_;
    bool mouseSelecting_ = false;
    bool quiet_ = false;
    bool extending_ = false;  // a Shift+press is held: its move and release do nothing else
};

class ChannelGrid : public QWidget {
    Q_OBJECT
public:
    ChannelGrid(Codeplug& doc, QWidget* parent = nullptr);
    ~ChannelGrid() override;

    // The dialog that asks before clearing the channels, and where its texts come from.
    // Registers the clear-channels action with the dialog.
    void setMessageDialog(MessageDialog* dialog);
    void setLanguageText(LanguageText text) { text_ = std::move(text); }
    // Button captions from the current language (strings 65, 66, 67, 80, 96).
    void retext();

    GridView* grid() const { return grid_; }
    QLineEdit* frequencyEditor() const { return freqEdit_; }
    QComboBox* toneSelector() const { return toneBox_; }
    QLineEdit* aliasEditor() const { return aliasEdit_; }
    QTimer* autoAddTimer() const { return timer_; }
    bool suppressToggle() const { return suppressToggle_; }

    // Makes (column, row) the grid's selected cell; the selection move raises the click steps.
    void selectCell(int column, int row);
    void hideEditors();
    // Reads, writes, opening and saving: commit the open frequency edit, then hide the editors.
    void commitAndHideEditors();
    // The channel range that Copy and Cut take: from the current channel to where Shift+arrows or
    // Shift+click extended it (first <= last). Choosing a cell by itself leaves just its channel.
    int selectionFirst() const { return std::min(rangeAnchor_, rangeEnd_); }
    int selectionLast() const { return std::max(rangeAnchor_, rangeEnd_); }
    // Whether the range is drawn (a row-number click or an extension); a plain cell click is not.
    bool selectionShown() const { return rangeShown_; }
    bool inShownSelection(int row) const
    {
        return rangeShown_ && row >= selectionFirst() && row <= selectionLast();
    }

    // After a new document: the frequency editor's text is emptied, the editor stays where it is.
    void clearFrequencyEditorText();
    // After a confirmed clear: channels cleared by the caller; row 1 column 1 selected, the tone
    // selector and frequency editor hidden.
    void afterClearChannels();

    // The button and timer handlers, public so the main window's commands can run them.
    void bsSkinButton3Click();  // move up
    void bsSkinButton4Click();  // move down
    void bsSkinButton5Click();  // delete channel
    void bsSkinButton9Click();  // clear channels
    void bsSkinButton6MouseDown();
    void bsSkinButton6MouseUp();
    void Timer1Timer();

signals:
    // The single-channel page follows the current row.
    void channelSelected(int row);
    // Double click on the "more" column: show the single-channel page for this channel.
    void openSingleChannel(int row);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class GridView;

    void selectionChanging();
    void clickSteps();
    void gridDoubleClick(const QModelIndex& index);
    // Returns whether the key was taken.
    bool gridKeyDown(int key);
    void gridKeyPress(char32_t key);
    void gridWheel();
    void checkEditorPlacement();
    // A click on a row number: commit the cell being left and make the channel's RX cell current,
    // opening no editor and toggling nothing.
    void rowNumberClicked(int row);
    // Shift+click or Shift+arrow: the range runs from the current channel to `row`; nothing is
    // committed, edited or toggled, and the current cell stays.
    void extendSelection(int row);
    // Shift with a move key; returns whether the key was taken.
    bool extendSelectionByKey(int key);
    void collapseSelection(int row, bool shown);
    // Tab or Shift+Tab in an in-place editor: commit as Enter does and move along the row.
    void tabFromEditor(bool forward);
    void placeCornerCaption();
    // The auto-add button's raw mouse events; returns whether the event was taken.
    bool autoAddButtonEvent(QEvent* event);

    bool frequencyKeyPress(QKeyEvent* event);
    bool aliasKeyPress(QKeyEvent* event);
    void frequencyKeyUp();
    void aliasKeyUp();
    void toneChange(int index);
    void toneExit();

    void placeEditor(QWidget* editor, int column, int row);
    void refreshFrequencyEditor();
    void moveButton(int delta);
    void fitColumns();
    void afterAutoAdd(const grid::AutoAddResult& result);

    Codeplug& doc_;
    ChannelTableModel* model_ = nullptr;
    GridView* grid_ = nullptr;
    QLineEdit* freqEdit_ = nullptr;
    QComboBox* toneBox_ = nullptr;
    QLineEdit* aliasEdit_ = nullptr;
    QPushButton* upButton_ = nullptr;
    QPushButton* downButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* autoAddButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QTimer* timer_ = nullptr;
    QWidget* corner_ = nullptr;  // the channel-number column's header, over the grid's corner
    MessageDialog* messages_ = nullptr;
    LanguageText text_;

    bool suppressToggle_ = false;
    bool autoAddHeld_ = false;
    int toneRow_ = 1;
    int rangeAnchor_ = 1;
    int rangeEnd_ = 1;
    bool rangeShown_ = false;
    QRect editorRect_;  // where the shown editor was placed, in viewport coordinates
};

}  // namespace qx
