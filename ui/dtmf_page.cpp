#include "ui/dtmf_page.h"
#include "ui/widget_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

#include "ui/setting_binding.h"

namespace qx {

namespace {

constexpr int kCallRows = 10;

constexpr CaptionRow kCaptions[] = {
    {"bsSkinNotebook2", 106},       {"bsSkinStdLabel47", 108},      {"bsSkinStdLabel30", 109},
    {"bsSkinStdLabel31", 110},      {"bsSkinStdLabel32", 112},      {"bsSkinStdLabel33", 113},
    {"bsSkinCheckRadioBox19", 114}, {"bsSkinCheckRadioBox1", 115},  {"bsSkinNotebook5", 121},
    {"bsSkinCheckRadioBox20", 116}, {"bsSkinStdLabel35", 117},      {"bsSkinStdLabel36", 118},
    {"bsSkinStdLabel37", 119},      {"bsSkinNotebook11", 124},      {"bsSkinStdLabel85", 125},
    {"bsSkinStdLabel86", 126},      {"bsSkinStdLabel14", 127},      {"bsSkinCheckRadioBox18", 128},
    {"bsSkinCheckRadioBox6", 129},  {"bsSkinCheckRadioBox17", 130}, {"bsSkinNotebook9", 140},
    {"bsSkinCheckRadioBox16", 131}, {"bsSkinStdLabel88", 132},      {"bsSkinStdLabel34", 133},
};

QLabel* label(const char* name, const char* text) { return named(new QLabel(QString::fromUtf8(text)), name); }

QGroupBox* group(QWidget* parent, const char* name, const char* title) {
  return named(new QGroupBox(QString::fromUtf8(title), parent), name);
}

// The call list's header row and number column: shown, never selected or edited.
QTableWidgetItem* fixedItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  item->setBackground(QColor(228, 228, 232));
  item->setTextAlignment(Qt::AlignCenter);
  return item;
}

int callIndexOf(std::string_view key) {
  for (int i = 0; i < kCallRows; ++i)
    if (keys::call(i) == key) return i;
  return -1;
}

}  // namespace

DtmfPage::DtmfPage(RadioSettings& settings, QWidget* parent) : QWidget(parent), settings_(settings) {
  setObjectName(QStringLiteral("dtmfPage"));
  auto* binder = new SettingBinder(settings_, this);

  tabs_ = named(new QTabWidget(this), "bsSkinPageControl5");
  auto* system = named(new QWidget, "bsSkinTabSheet28");
  auto* params = named(new QWidget, "bsSkinTabSheet29");
  tabs_->addTab(system, QStringLiteral("系统"));
  tabs_->addTab(params, QStringLiteral("参数"));

  // ---- tab "系统": timing ----
  QGroupBox* timing = group(system, "bsSkinNotebook2", "系统");
  auto* timingGrid = new QGridLayout(timing);
  timingGrid->setContentsMargins(14, 16, 14, 14);
  timingGrid->setVerticalSpacing(10);
  struct NumberRow {
    const char* label;
    const char* text;
    const char* spin;
    std::string_view key;
  };
  const NumberRow numbers[] = {
      {"bsSkinStdLabel47", "DTMF持续时间[毫秒]", "bsSkinSpinEdit17", keys::DigitTime},
      {"bsSkinStdLabel30", "DTMF间隔时间[毫秒]", "bsSkinSpinEdit9", keys::DigitSpace},
      {"bsSkinStdLabel31", "首码延迟时间[毫秒]", "bsSkinSpinEdit10", keys::FirstDigit},
      {"bsSkinStdLabel32", "预载波时间[毫秒]", "bsSkinSpinEdit13", keys::Pretime},
      {"bsSkinStdLabel33", "*和#音[毫秒]", "bsSkinSpinEdit14", keys::StarHashDelay},
  };
  int row = 0;
  for (const NumberRow& n : numbers) {
    auto* spin = named(new QSpinBox(timing), n.spin);
    spin->setMinimumWidth(90);
    binder->bindNumber(spin, n.key);
    timingGrid->addWidget(label(n.label, n.text), row, 0);
    timingGrid->addWidget(spin, row, 1);
    ++row;
  }
  auto* ackDecode = named(new QCheckBox(QStringLiteral("回复解码"), timing), "bsSkinCheckRadioBox19");
  binder->bindFlag(ackDecode, keys::AckDecode);
  timingGrid->addWidget(ackDecode, row++, 0, 1, 2);
  auto* sideTone = named(new QCheckBox(QStringLiteral("侧音"), timing), "bsSkinCheckRadioBox1");
  binder->bindFlag(sideTone, keys::DtmfSide);
  timingGrid->addWidget(sideTone, row++, 0, 1, 2);
  timingGrid->setRowStretch(row, 1);

  // ---- tab "系统": call list ----
  QGroupBox* calls = group(system, "bsSkinNotebook5", "呼叫列表");
  callList_ = named(new QTableWidget(kCallRows + 1, 2, calls), "bsSkinStringGrid1");
  callList_->horizontalHeader()->hide();
  callList_->verticalHeader()->hide();
  callList_->verticalHeader()->setDefaultSectionSize(22);
  callList_->setColumnWidth(0, 60);
  callList_->horizontalHeader()->setStretchLastSection(true);
  callList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  callList_->setSelectionMode(QAbstractItemView::SingleSelection);
  callList_->setTabKeyNavigation(false);
  callList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  callList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  callList_->setFixedHeight(22 * (kCallRows + 1) + 2 * callList_->frameWidth());
  callList_->setMinimumWidth(250);
  callList_->setItem(0, 0, fixedItem(QStringLiteral("序号")));
  callList_->setItem(0, 1, fixedItem(QStringLiteral("自动拨号号码")));
  for (int i = 0; i < kCallRows; ++i) {
    callList_->setItem(i + 1, 0, fixedItem(QStringLiteral("   ") + QString::number(i)));
    auto* entry = new QTableWidgetItem;
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    callList_->setItem(i + 1, 1, entry);
    showCall(i);
  }
  callList_->installEventFilter(this);
  connect(callList_, &QTableWidget::cellClicked, this, &DtmfPage::bsSkinStringGrid1Click);

  editor_ = named(new QLineEdit(callList_->viewport()), "bsSkinEdit14");
  editor_->setMaxLength(findSetting(keys::Call0)->maxLength);
  editor_->setValidator(new CharSetValidator(CharSet::Dtmf, editor_));
  editor_->setContextMenuPolicy(Qt::NoContextMenu);
  editor_->setFrame(false);
  // Reached by typing on the list or clicking it, never by Tab from the list it sits on.
  editor_->setFocusPolicy(Qt::ClickFocus);
  editor_->hide();
  connect(editor_, &QLineEdit::textEdited, this, &DtmfPage::bsSkinEdit14KeyUp);
  connect(editor_, &QLineEdit::returnPressed, this, &DtmfPage::closeCallEditor);

  auto* callLayout = new QVBoxLayout(calls);
  callLayout->setContentsMargins(12, 16, 12, 12);
  callLayout->addWidget(callList_);
  callLayout->addStretch();

  // ---- tab "系统": PTT ID ----
  QGroupBox* ptt = group(system, "groupPttId", "PTT ID");
  auto* pttGrid = new QGridLayout(ptt);
  pttGrid->setContentsMargins(14, 16, 14, 12);
  pttGrid->setHorizontalSpacing(12);
  pttGrid->setVerticalSpacing(8);
  auto* showPtt = named(new QCheckBox(QStringLiteral("显示PTT ID"), ptt), "bsSkinCheckRadioBox20");
  binder->bindFlag(showPtt, keys::DisplayPttId);
  auto* pttType = named(new QComboBox(ptt), "bsSkinComboBox27");
  pttType->setMinimumWidth(110);
  pttType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  binder->bindOption(pttType, keys::PttId);
  auto* bot = named(new QLineEdit(ptt), "bsSkinEdit3");
  auto* eot = named(new QLineEdit(ptt), "bsSkinEdit4");
  for (QLineEdit* code : {bot, eot}) {
    code->setContextMenuPolicy(Qt::NoContextMenu);
    code->setMinimumWidth(150);
    connect(code, &QLineEdit::returnPressed, this, &DtmfPage::closeCallEditor);
  }
  binder->bindText(bot, keys::BOT);
  binder->bindText(eot, keys::EOT);
  pttGrid->addWidget(showPtt, 0, 0, 1, 2);
  pttGrid->addWidget(label("bsSkinStdLabel35", "PTT ID类型"), 0, 2);
  pttGrid->addWidget(pttType, 0, 3);
  pttGrid->addWidget(label("bsSkinStdLabel36", "发射开始"), 1, 0);
  pttGrid->addWidget(bot, 1, 1);
  pttGrid->addWidget(label("bsSkinStdLabel37", "发射结束"), 1, 2);
  pttGrid->addWidget(eot, 1, 3);
  pttGrid->setColumnStretch(4, 1);

  auto* systemTop = new QHBoxLayout;
  systemTop->setSpacing(12);
  systemTop->addWidget(timing, 1);
  systemTop->addWidget(calls, 1);
  auto* systemLayout = new QVBoxLayout(system);
  systemLayout->setContentsMargins(8, 8, 8, 8);
  systemLayout->setSpacing(10);
  systemLayout->addLayout(systemTop);
  systemLayout->addWidget(ptt);
  systemLayout->addStretch();

  // ---- tab "参数": decode and stun ----
  QGroupBox* decode = group(params, "bsSkinNotebook11", "解码");
  auto* decodeGrid = new QGridLayout(decode);
  decodeGrid->setContentsMargins(14, 16, 14, 14);
  decodeGrid->setHorizontalSpacing(12);
  decodeGrid->setVerticalSpacing(10);
  auto* groupId = named(new QComboBox(decode), "bsSkinComboBox46");
  groupId->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  binder->bindOption(groupId, keys::Group);
  auto* ownId = named(new QLineEdit(decode), "bsSkinEdit5");
  ownId->setContextMenuPolicy(Qt::NoContextMenu);
  ownId->setMinimumWidth(150);
  binder->bindText(ownId, keys::Private);
  auto* autoReset = named(new QSpinBox(decode), "bsSkinSpinEdit21");
  binder->bindNumber(autoReset, keys::AutoReset);
  decodeGrid->addWidget(label("bsSkinStdLabel85", "组ID"), 0, 0);
  decodeGrid->addWidget(groupId, 0, 1);
  decodeGrid->addWidget(label("bsSkinStdLabel86", "本机ID"), 1, 0);
  decodeGrid->addWidget(ownId, 1, 1);
  decodeGrid->addWidget(label("bsSkinStdLabel14", "自动复位时间(秒)"), 2, 0);
  decodeGrid->addWidget(autoReset, 2, 1);
  struct FlagRow {
    const char* name;
    const char* text;
    std::string_view key;
  };
  const FlagRow flags[] = {
      {"bsSkinCheckRadioBox18", "自动回复", keys::AutoAck},
      {"bsSkinCheckRadioBox6", "提示音", keys::DtmfBeep},
      {"bsSkinCheckRadioBox17", "带CTC/DCS解码", keys::Strip},
  };
  row = 3;
  for (const FlagRow& f : flags) {
    auto* box = named(new QCheckBox(QString::fromUtf8(f.text), decode), f.name);
    binder->bindFlag(box, f.key);
    decodeGrid->addWidget(box, row++, 0, 1, 2);
  }

  QGroupBox* stun = group(decode, "bsSkinNotebook9", "遥毙");
  auto* stunGrid = new QGridLayout(stun);
  stunGrid->setContentsMargins(14, 16, 14, 12);
  stunGrid->setHorizontalSpacing(12);
  stunGrid->setVerticalSpacing(10);
  auto* stunOn = named(new QCheckBox(QStringLiteral("遥控激活"), stun), "bsSkinCheckRadioBox16");
  binder->bindFlag(stunOn, keys::Stun);
  auto* stunCode = named(new QLineEdit(stun), "bsSkinEdit16");
  stunCode->setContextMenuPolicy(Qt::NoContextMenu);
  binder->bindText(stunCode, keys::StunCode);
  auto* stunType = named(new QComboBox(stun), "bsSkinComboBox14");
  stunType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  binder->bindOption(stunType, keys::StunType);
  stunGrid->addWidget(stunOn, 0, 0, 1, 2);
  stunGrid->addWidget(label("bsSkinStdLabel88", "遥控码"), 1, 0);
  stunGrid->addWidget(stunCode, 1, 1);
  stunGrid->addWidget(label("bsSkinStdLabel34", "遥控类型"), 2, 0);
  stunGrid->addWidget(stunType, 2, 1);
  decodeGrid->addWidget(stun, 0, 2, row, 1, Qt::AlignTop);
  decodeGrid->setColumnStretch(3, 1);
  decodeGrid->setRowStretch(row, 1);

  auto* paramsLayout = new QVBoxLayout(params);
  paramsLayout->setContentsMargins(8, 8, 8, 8);
  paramsLayout->addWidget(decode);
  paramsLayout->addStretch();

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(4, 4, 4, 4);
  outer->addWidget(tabs_);

  settings_.addObserver(this);
}

DtmfPage::~DtmfPage() { settings_.removeObserver(this); }

void DtmfPage::showFirstTab() { tabs_->setCurrentIndex(0); }

void DtmfPage::hideCallEditor() { editor_->hide(); }

void DtmfPage::showCall(int index) {
  callList_->item(index + 1, 1)->setText(QString::fromStdString(settings_.text(keys::call(index))));
}

void DtmfPage::placeEditor() {
  if (editorRow_ > 0) editor_->setGeometry(callList_->visualItemRect(callList_->item(editorRow_, 1)));
}

void DtmfPage::bsSkinStringGrid1Click(int row, int column) {
  if (row < 1 || column != 1) return;  // the header row and the number column are not selectable
  editor_->hide();
  editor_->clear();
  editorRow_ = row;
  placeEditor();
  editor_->show();
  editor_->setText(callList_->item(row, 1)->text());
}

bool DtmfPage::bsSkinStringGrid1KeyPress(const QString& typed) {
  if (typed.size() != 1) return false;  // navigation and modifier keys belong to the list
  const QChar c = typed.at(0);
  QString text;
  if (c != QLatin1Char('\b')) {
    const std::optional<char> kept = c.unicode() < 0x80 ? filterDtmfChar(static_cast<char>(c.unicode())) : std::nullopt;
    // A refused key (Enter, Escape, a letter after "D") leaves the entry as it is.
    if (!kept) return true;
    text = QString(QLatin1Char(*kept));
  }
  // Only a click gives the editor a target; typing before any click has nowhere to go.
  if (editorRow_ == 0) return true;
  placeEditor();
  editor_->show();
  editor_->setText(text);
  editor_->setFocus(Qt::OtherFocusReason);
  editor_->setCursorPosition(text.size());
  bsSkinEdit14KeyUp(text);
  return true;
}

void DtmfPage::bsSkinEdit14KeyUp(const QString& text) {
  if (editorRow_ > 0) settings_.assignText(keys::call(editorRow_ - 1), text.toStdString());
}

void DtmfPage::closeCallEditor() {
  editor_->hide();
  callList_->setFocus(Qt::OtherFocusReason);
}

bool DtmfPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == callList_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab moves on to the next control, as everywhere on the pages.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
    if (bsSkinStringGrid1KeyPress(key->text())) return true;
  }
  return QWidget::eventFilter(watched, event);
}

void DtmfPage::valueChanged(std::string_view key) {
  if (const int i = callIndexOf(key); i >= 0) showCall(i);
}

void DtmfPage::retranslate(const LanguageText& text) {
  retextCaptions(*this, kCaptions, text);
  tabs_->setTabText(0, text(106));
  tabs_->setTabText(1, text(107));
  callList_->item(0, 0)->setText(text(122));
  callList_->item(0, 1)->setText(text(123));
}

}  // namespace qx
