#include "ui/channel_page.h"
#include "ui/widget_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <charconv>

#include "model/codeplug.h"
#include "ui/filtered_field.h"
#include "ui/grid_editing.h"
#include "ui/skins.h"

namespace qx {

namespace {

constexpr CaptionRow kCaptions[] = {
    {"bsSkinNotebook3", 99},        {"bsSkinStdLabel49", 99},      {"bsSkinStdLabel50", 26, "[MHz]"},
    {"bsSkinStdLabel51", 28, "[MHz]"}, {"bsSkinStdLabel52", 27},   {"bsSkinStdLabel53", 29},
    {"bsSkinStdLabel54", 30},       {"bsSkinStdLabel55", 73},      {"bsSkinStdLabel56", 77},
    {"bsSkinStdLabel13", 101},      {"bsSkinCheckRadioBox2", 31},  {"bsSkinCheckRadioBox7", 32},
    {"bsSkinCheckRadioBox3", 76},
};

// The focus moving between the window's controls; another window or a popup taking it and giving
// it back neither enters nor leaves a field.
bool betweenControls(const QFocusEvent& event) {
  return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A code cell names its tone by index; a cell that is empty, no number or out of range names none.
std::optional<int> toneIndex(const std::string& cell) {
  int value = 0;
  const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
  if (cell.empty() || ec != std::errc() || end != cell.data() + cell.size()) return std::nullopt;
  if (value < 0 || value >= kToneCount) return std::nullopt;
  return value;
}

void setItems(QComboBox* box, const QStringList& items) {
  const int index = box->currentIndex();
  box->clear();
  box->addItems(items);
  box->setCurrentIndex(index);
}

}  // namespace

ChannelPage::ChannelPage(Codeplug& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName(QStringLiteral("channelPage"));
  auto* group = named(new QGroupBox(QStringLiteral("单信道"), this), "bsSkinNotebook3");

  number_ = named(new QSpinBox(group), "bsSkinSpinEdit20");
  number_->setRange(1, kChannelCount);
  number_->setSingleStep(1);
  number_->setValue(doc_.currentRow());
  if (auto* edit = number_->findChild<QLineEdit*>()) edit->setMaxLength(3);

  auto lineEdit = [group](const char* name, int maxLength) {
    auto* e = named(new QLineEdit(group), name);
    e->setMaxLength(maxLength);
    // Text enters only through the key filters: no context menu, no drops.
    e->setContextMenuPolicy(Qt::NoContextMenu);
    e->setAcceptDrops(false);
    return e;
  };
  rx_ = lineEdit("bsSkinEdit11", 9);
  tx_ = lineEdit("bsSkinEdit13", 9);
  alias_ = lineEdit("bsSkinEdit8", 6);

  auto combo = [group](const char* name) {
    auto* box = named(new QComboBox(group), name);
    box->setEditable(false);
    box->setMaxVisibleItems(15);
    return box;
  };
  rxTone_ = combo("bsSkinComboBox19");
  txTone_ = combo("bsSkinComboBox23");
  rxTone_->setMaxVisibleItems(skins::kToneListRows);
  txTone_->setMaxVisibleItems(skins::kToneListRows);
  skins::keepVisibleItemLimit(*rxTone_);
  skins::keepVisibleItemLimit(*txTone_);
  power_ = combo("bsSkinComboBox24");
  bandwidth_ = combo("bsSkinComboBox31");
  voice_ = combo("bsSkinComboBox32");

  auto check = [group](const char* name, const char* text) {
    return named(new QCheckBox(QString::fromUtf8(text), group), name);
  };
  busy_ = check("bsSkinCheckRadioBox7", "繁忙锁定");
  scan_ = check("bsSkinCheckRadioBox2", "扫描添加");
  tail_ = check("bsSkinCheckRadioBox3", "尾音消除");
  dtmf_ = check("bsSkinCheckRadioBox5", "DTMF");
  pttId_ = check("bsSkinCheckRadioBox15", "PTT ID");
  vox_ = check("bsSkinCheckRadioBox4", "VOX");

  auto label = [group](const char* name, const QString& text) {
    return named(new QLabel(text, group), name);
  };
  const ChannelTable& headers = doc_.channels();
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(18, 20, 18, 18);
  grid->setHorizontalSpacing(14);
  grid->setVerticalSpacing(12);
  grid->addWidget(label("bsSkinStdLabel49", QStringLiteral("信道")), 0, 0);
  grid->addWidget(number_, 0, 1);
  grid->addWidget(label("bsSkinStdLabel50", qs(headers.cell(col::Rx, 0)) + QStringLiteral("[MHz]")), 1, 0);
  grid->addWidget(rx_, 1, 1);
  grid->addWidget(label("bsSkinStdLabel51", qs(headers.cell(col::Tx, 0)) + QStringLiteral("[MHz]")), 1, 3);
  grid->addWidget(tx_, 1, 4);
  grid->addWidget(label("bsSkinStdLabel52", QStringLiteral("CTC/DCS解码")), 2, 0);
  grid->addWidget(rxTone_, 2, 1);
  grid->addWidget(label("bsSkinStdLabel53", QStringLiteral("CTC/DCS编码")), 2, 3);
  grid->addWidget(txTone_, 2, 4);
  grid->addWidget(label("bsSkinStdLabel54", QStringLiteral("发射功率")), 3, 0);
  grid->addWidget(power_, 3, 1);
  grid->addWidget(label("bsSkinStdLabel55", QStringLiteral("宽/窄带")), 3, 3);
  grid->addWidget(bandwidth_, 3, 4);
  grid->addWidget(label("bsSkinStdLabel56", QStringLiteral("语音模式")), 4, 0);
  grid->addWidget(voice_, 4, 1);
  grid->addWidget(label("bsSkinStdLabel13", QStringLiteral("信道别名")), 4, 3);
  grid->addWidget(alias_, 4, 4);
  auto* switches = new QGridLayout;
  switches->setVerticalSpacing(12);
  QCheckBox* const order[2][3] = {{busy_, scan_, tail_}, {dtmf_, pttId_, vox_}};
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 3; ++c) switches->addWidget(order[r][c], r, c);
  }
  for (int c = 0; c < 3; ++c) switches->setColumnStretch(c, 1);
  grid->addLayout(switches, 5, 0, 1, 5);
  grid->setColumnMinimumWidth(2, 36);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(4, 1);
  grid->setRowStretch(6, 1);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, 8, 8, 8);
  outer->addWidget(group);
  outer->addStretch();

  fillLists();

  connect(number_, &QSpinBox::valueChanged, this, &ChannelPage::bsSkinSpinEdit20Change);
  for (QLineEdit* field : {rx_, tx_, alias_}) field->installEventFilter(this);
  connect(rx_, &QLineEdit::textEdited, this, &ChannelPage::bsSkinEdit11KeyUp);
  connect(tx_, &QLineEdit::textEdited, this, &ChannelPage::bsSkinEdit13KeyUp);
  connect(alias_, &QLineEdit::textEdited, this, &ChannelPage::bsSkinEdit8KeyUp);
  connect(rxTone_, &QComboBox::currentIndexChanged, this,
          [this] { toneChange(rxTone_, xcol::RxCode, col::RxTone); });
  connect(txTone_, &QComboBox::currentIndexChanged, this,
          [this] { toneChange(txTone_, xcol::TxCode, col::TxTone); });
  connect(power_, &QComboBox::currentIndexChanged, this, [this] { listChange(power_, false, col::Power); });
  connect(bandwidth_, &QComboBox::currentIndexChanged, this,
          [this] { listChange(bandwidth_, false, col::Bandwidth); });
  connect(voice_, &QComboBox::currentIndexChanged, this, [this] { listChange(voice_, true, xcol::VoiceMode); });
  connect(busy_, &QCheckBox::clicked, this, [this] { switchClick(busy_, true, xcol::BusyLock, false); });
  connect(scan_, &QCheckBox::clicked, this, [this] { switchClick(scan_, false, col::ScanAdd, false); });
  connect(dtmf_, &QCheckBox::clicked, this, [this] { switchClick(dtmf_, false, col::Dtmf, false); });
  connect(pttId_, &QCheckBox::clicked, this, [this] { switchClick(pttId_, false, col::PttId, false); });
  connect(tail_, &QCheckBox::clicked, this, [this] { switchClick(tail_, true, xcol::TailElim, true); });
  connect(vox_, &QCheckBox::clicked, this, [this] { switchClick(vox_, true, xcol::Vox, true); });

  // A cell changed elsewhere while the page is shown (a file opened, a language applied) is shown.
  auto follow = [this](const TableChange&) {
    if (active() && loading_ == 0 && writing_ == 0) loadPage();
  };
  observerId_ = doc_.channels().addObserver(follow);
  observerExtrasId_ = doc_.extras().addObserver(follow);

  loadPage();
}

ChannelPage::~ChannelPage() {
  doc_.channels().removeObserver(observerId_);
  doc_.extras().removeObserver(observerExtrasId_);
}

int ChannelPage::row() const { return doc_.currentRow(); }

bool ChannelPage::rxFilled() const { return !doc_.isEmptyChannel(row()); }

void ChannelPage::fillLists() {
  const DisplayWords& w = doc_.words();
  ++loading_;
  QStringList tones;
  for (const std::string& t : doc_.tones().texts()) tones << qs(t);
  rxTone_->addItems(tones);
  txTone_->addItems(tones);
  power_->addItems({qs(w.low), qs(w.high)});
  bandwidth_->addItems({qs(w.narrow), qs(w.wide)});
  voice_->addItems({qs(w.off), qs(w.compander), qs(w.scrambler)});
  --loading_;
}

void ChannelPage::setChannelNumber(int channel) { number_->setValue(channel); }

int ChannelPage::channelNumber() const { return number_->value(); }

void ChannelPage::setCommunicationMode(int mode) {
  mode_ = mode;
  if (mode_ == kSingleHeadMode) {
    vox_->setEnabled(false);
    vox_->setChecked(false);
  } else if (!rx_->text().isEmpty()) {
    vox_->setEnabled(true);
  }
}

void ChannelPage::selectTone(QComboBox* box, int codeColumn, int toneColumn) {
  const int r = row();
  std::optional<int> index = toneIndex(doc_.extras().cell(codeColumn, r));
  if (!index) {
    const int byText = doc_.tones().indexOf(doc_.channels().cell(toneColumn, r));
    index = byText >= 0 ? byText : 0;
  }
  box->setCurrentIndex(*index);
}

void ChannelPage::loadPage() {
  ++loading_;
  const int r = row();
  const ChannelTable& ch = doc_.channels();
  const ChannelExtras& ex = doc_.extras();
  const DisplayWords& w = doc_.words();
  {
    const QSignalBlocker block(number_);
    number_->setValue(r);
  }
  const bool filled = rxFilled();
  rx_->setEnabled(true);
  for (QWidget* control : std::initializer_list<QWidget*>{tx_, alias_, rxTone_, txTone_, power_, bandwidth_, voice_,
                                                          busy_, scan_, tail_, dtmf_, pttId_})
    control->setEnabled(filled);
  vox_->setEnabled(filled && mode_ != kSingleHeadMode);
  if (filled) {
    rx_->setText(qs(ch.cell(col::Rx, r)));
    tx_->setText(qs(ch.cell(col::Tx, r)));
    alias_->setText(qs(ch.cell(col::Alias, r)));
    selectTone(rxTone_, xcol::RxCode, col::RxTone);
    selectTone(txTone_, xcol::TxCode, col::TxTone);
    power_->setCurrentIndex(doc_.isHighPower(r) ? 1 : 0);
    bandwidth_->setCurrentIndex(doc_.isWide(r) ? 1 : 0);
    const std::string& voice = ex.cell(xcol::VoiceMode, r);
    if (voice == w.off)
      voice_->setCurrentIndex(0);
    else if (voice == w.compander)
      voice_->setCurrentIndex(1);
    else if (voice == w.scrambler)
      voice_->setCurrentIndex(2);
    busy_->setChecked(doc_.isOn(ex.cell(xcol::BusyLock, r)));
    scan_->setChecked(doc_.isOn(ch.cell(col::ScanAdd, r)));
    tail_->setChecked(doc_.isOn(ex.cell(xcol::TailElim, r)));
    vox_->setChecked(doc_.isOn(ex.cell(xcol::Vox, r)));
    dtmf_->setChecked(doc_.isOn(ch.cell(col::Dtmf, r)));
    pttId_->setChecked(doc_.isOn(ch.cell(col::PttId, r)));
  } else {
    // What a new channel will get, shown greyed until a frequency is entered.
    rx_->clear();
    tx_->clear();
    alias_->clear();
    rxTone_->setCurrentIndex(0);
    txTone_->setCurrentIndex(0);
    power_->setCurrentIndex(1);
    bandwidth_->setCurrentIndex(1);
    voice_->setCurrentIndex(0);
    busy_->setChecked(false);
    scan_->setChecked(true);
    tail_->setChecked(true);
    vox_->setChecked(false);
    dtmf_->setChecked(false);
    pttId_->setChecked(false);
  }
  --loading_;
}

void ChannelPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  loadPage();
}

void ChannelPage::bsSkinSpinEdit20Change(int value) {
  if (loading_ > 0) return;
  const int r = row();
  if (active()) {
    ++writing_;
    const ChannelTable& ch = doc_.channels();
    if (!ch.cell(col::RxTone, r).empty() && !ch.cell(col::Rx, r).empty()) {
      doc_.sendcell(col::Rx, r);
      doc_.sendcell(col::Tx, r);
    } else {
      // Also a completed channel whose RX was erased on the page: the commit empties the rest.
      doc_.sendallcell();
    }
    --writing_;
  }
  if (value != r) doc_.setCurrentRow(value);
  if (active()) loadPage();
}

void ChannelPage::fieldFocusIn(int column) {
  doc_.setCurrentRow(number_->value());
  emit gridCellWanted(column, row());
  doc_.setCurrentColumn(column);
}

bool ChannelPage::frequencyKeyPress(QLineEdit* field, QKeyEvent* event) {
  // Tab moves on to the next control, which counts as leaving the field.
  if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) return false;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    ++writing_;
    doc_.sendallcell();
    --writing_;
    loadPage();
    return true;
  }
  const QString typed = event->text();
  if (typed.size() != 1 || typed.at(0).unicode() == 127) return false;  // caret movement, Delete
  const std::string text = field->text().toStdString();
  return !grid::frequencyKeyAccepted(text, typed.at(0).unicode());
}

void ChannelPage::bsSkinEdit11KeyUp(const QString& text) {
  ++writing_;
  doc_.channels().setCell(col::Rx, number_->value(), text.toStdString());
  --writing_;
}

void ChannelPage::bsSkinEdit11Exit() {
  ++writing_;
  doc_.sendallcell();
  --writing_;
  loadPage();
}

void ChannelPage::bsSkinEdit13KeyUp(const QString& text) {
  ++writing_;
  doc_.channels().setCell(doc_.currentColumn(), row(), text.toStdString());
  --writing_;
}

void ChannelPage::bsSkinEdit8KeyUp(const QString& text) {
  const QString upper = text.toUpper();
  if (upper != alias_->text()) alias_->setText(upper);
  alias_->setCursorPosition(upper.size());
  ++writing_;
  doc_.channels().setCell(doc_.currentColumn(), row(), upper.toStdString());
  --writing_;
}

bool ChannelPage::eventFilter(QObject* watched, QEvent* event) {
  const int column = watched == rx_ ? col::Rx : watched == tx_ ? col::Tx : watched == alias_ ? col::Alias : -1;
  if (column < 0) return QWidget::eventFilter(watched, event);
  auto* field = static_cast<QLineEdit*>(watched);
  const bool frequency = watched != alias_;
  const CharFilter accepts = [frequency](const QString& text, char32_t c) {
    if (frequency) return c != grid::kBackspace && grid::frequencyKeyAccepted(text.toStdString(), c);
    return c != grid::kBackspace && c != grid::kEnter && grid::aliasKeyAccepted(c);
  };
  const auto afterInsert = [this, field] {
    if (field == rx_) bsSkinEdit11KeyUp(field->text());
    else if (field == tx_) bsSkinEdit13KeyUp(field->text());
    else bsSkinEdit8KeyUp(field->text());
  };
  if (guardFilteredField(*field, *event, accepts, afterInsert)) return true;
  switch (event->type()) {
    case QEvent::FocusIn:
      if (betweenControls(*static_cast<QFocusEvent*>(event))) fieldFocusIn(column);
      break;
    case QEvent::FocusOut:
      if (watched == rx_ && betweenControls(*static_cast<QFocusEvent*>(event))) bsSkinEdit11Exit();
      break;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (watched != alias_) return frequencyKeyPress(static_cast<QLineEdit*>(watched), key);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;  // no action here
      if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) break;      // on to the next control
      const QString typed = key->text();
      if (typed.size() == 1 && typed.at(0).unicode() != 127) return !grid::aliasKeyAccepted(typed.at(0).unicode());
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void ChannelPage::toneChange(QComboBox* box, int codeColumn, int toneColumn) {
  if (loading_ > 0 || !active() || !rxFilled()) return;
  if (!box->isEnabled()) {
    ++loading_;
    box->setCurrentIndex(0);
    --loading_;
    return;
  }
  const int index = box->currentIndex();
  if (index < 0) return;
  ++writing_;
  {
    const TableUpdate update(doc_.channels(), doc_.extras());
    doc_.extras().setCell(codeColumn, row(), std::to_string(index));
    doc_.channels().setCell(toneColumn, row(), box->currentText().toStdString());
  }
  --writing_;
}

void ChannelPage::listChange(QComboBox* box, bool extras, int column) {
  if (loading_ > 0 || !active() || !rxFilled() || box->currentIndex() < 0) return;
  TextTable& table = extras ? static_cast<TextTable&>(doc_.extras()) : doc_.channels();
  ++writing_;
  table.setCell(column, row(), box->currentText().toStdString());
  --writing_;
}

void ChannelPage::switchClick(QCheckBox* box, bool extras, int column, bool needsTail) {
  const int r = row();
  const bool allowed = needsTail ? !doc_.extras().cell(xcol::TailElim, r).empty() : rxFilled();
  if (!allowed) return;
  TextTable& table = extras ? static_cast<TextTable&>(doc_.extras()) : doc_.channels();
  ++writing_;
  table.setCell(column, r, box->isChecked() ? doc_.words().on : doc_.words().off);
  --writing_;
}

void ChannelPage::retranslate(const LanguageText& text) {
  retextCaptions(*this, kCaptions, text);
  const DisplayWords& w = doc_.words();
  ++loading_;
  setItems(power_, {qs(w.low), qs(w.high)});
  setItems(bandwidth_, {qs(w.narrow), qs(w.wide)});
  setItems(voice_, {qs(w.off), qs(w.compander), qs(w.scrambler)});
  rxTone_->setItemText(0, qs(w.off));
  txTone_->setItemText(0, qs(w.off));
  --loading_;
  // The kept entries count as chosen again: on a shown channel they write their (new) words back.
  toneChange(rxTone_, xcol::RxCode, col::RxTone);
  toneChange(txTone_, xcol::TxCode, col::TxTone);
  listChange(power_, false, col::Power);
  listChange(bandwidth_, false, col::Bandwidth);
  listChange(voice_, true, xcol::VoiceMode);
}

}  // namespace qx
