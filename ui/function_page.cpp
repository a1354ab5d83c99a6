#include "ui/function_page.h"
#include "ui/widget_names.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <array>

#include "model/radio_settings.h"
#include "ui/app_icon.h"
#include "ui/setting_binding.h"

namespace qx {

namespace {

// Captions the language replaces; "VFO/ MR", "MR freq./ MR CH" and "修改密码" stay in every language.
constexpr CaptionRow kFunctionCaptions[] = {
    {"bsSkinNotebook1", 20},       {"bsSkinStdLabel18", 81},      {"bsSkinStdLabel17", 43},
    {"bsSkinStdLabel21", 83},      {"bsSkinStdLabel4", 38},       {"bsSkinStdLabel10", 40},
    {"bsSkinStdLabel48", 103},     {"bsSkinCheckRadioBox8", 41},  {"bsSkinCheckRadioBox11", 82},
    {"bsSkinCheckRadioBox10", 39}, {"bsSkinCheckRadioBox12", 87}, {"bsSkinCheckRadioBox13", 42},
    {"bsSkinStdLabel24", 45},      {"bsSkinStdLabel25", 46},      {"bsSkinCheckRadioBox9", 47},
    {"bsSkinCheckRadioBox14", 84}, {"bsSkinStdLabel15", 85},
};

constexpr CaptionRow kSideKeyCaptions[] = {{"bsSkinNotebook10", 100}};

QComboBox* combo(QWidget* parent, const char* name) {
  auto* box = named(new QComboBox(parent), name);
  box->setMinimumWidth(130);
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);  // the longest item of any language fits
  return box;
}

QLabel* label(const char* name, const char* text) {
  return named(new QLabel(QString::fromUtf8(text)), name);
}

// The focus moving to another control; another window or a popup taking it leaves the field as it is.
bool leavesField(const QFocusEvent& event) {
  return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

QCheckBox* check(QWidget* parent, const char* name, const char* text) {
  return named(new QCheckBox(QString::fromUtf8(text), parent), name);
}

}  // namespace

FunctionPage::FunctionPage(RadioSettings& settings, QWidget* parent) : QWidget(parent), settings_(settings) {
  setObjectName(QStringLiteral("functionPage"));
  binder_ = new SettingBinder(settings_, this);

  group_ = named(new QGroupBox(QStringLiteral("基本功能"), this), "bsSkinNotebook1");

  // Left: the lists.
  struct ListRow {
    const char* label;
    const char* labelText;
    const char* box;
    std::string_view key;
  };
  const ListRow lists[] = {
      {"bsSkinStdLabel18", "APO功能", "bsSkinComboBox1", keys::APO},
      {"bsSkinStdLabel17", "扫描模式", "bsSkinComboBox4", keys::ScanKind},
      {"bsSkinStdLabel21", "频率步进", "bsSkinComboBox8", keys::Step},
      {"labelVfoMr", "VFO/ MR", "bsSkinComboBox7", keys::VfoMr},
      {"labelMrFreqMrCh", "MR freq./ MR CH", "bsSkinComboBox12", keys::MrFreqMrCh},
      {"bsSkinStdLabel4", "静噪等级(SQL)", "bsSkinComboBox9", keys::Squelch},
      {"bsSkinStdLabel10", "超时禁发", "bsSkinComboBox10", keys::TOT},
      {"bsSkinStdLabel48", "静噪模式", "bsSkinComboBox18", keys::Monitor},
  };
  auto* listGrid = new QGridLayout;
  listGrid->setHorizontalSpacing(12);
  listGrid->setVerticalSpacing(10);
  int row = 0;
  for (const ListRow& r : lists) {
    listGrid->addWidget(label(r.label, r.labelText), row, 0);
    QComboBox* box = combo(group_, r.box);
    binder_->bindOption(box, r.key);
    listGrid->addWidget(box, row, 1);
    ++row;
  }
  listGrid->setRowStretch(row, 1);

  // Middle: the switches.
  struct FlagRow {
    const char* name;
    const char* text;
    std::string_view key;
  };
  const FlagRow flags[] = {
      {"bsSkinCheckRadioBox8", "提示音", keys::Beep},      {"bsSkinCheckRadioBox11", "键盘锁定", keys::KeyLock},
      {"bsSkinCheckRadioBox10", "省电模式", keys::Save},   {"bsSkinCheckRadioBox12", "FM开关", keys::FMEnable},
      {"bsSkinCheckRadioBox13", "报警功能", keys::EMG},
  };
  auto* flagColumn = new QVBoxLayout;
  flagColumn->setSpacing(14);
  for (const FlagRow& f : flags) {
    QCheckBox* box = check(group_, f.name, f.text);
    binder_->bindFlag(box, f.key);
    flagColumn->addWidget(box);
  }
  flagColumn->addStretch();

  // Right, top: the VOX group, which the communication mode shows or hides.
  voxPanel_ = named(new QFrame(group_), "bsSkinPanel7");
  voxPanel_->setFrameShape(QFrame::StyledPanel);
  auto* voxGrid = new QGridLayout(voxPanel_);
  voxGrid->setVerticalSpacing(10);
  voxGrid->addWidget(label("bsSkinStdLabel24", "VOX 灵敏度"), 0, 0);
  QComboBox* voxSql = combo(voxPanel_, "bsSkinComboBox15");
  binder_->bindOption(voxSql, keys::VoxSQL);
  voxGrid->addWidget(voxSql, 0, 1);
  voxGrid->addWidget(label("bsSkinStdLabel25", "VOX 迟时"), 1, 0);
  QComboBox* voxDelay = combo(voxPanel_, "bsSkinComboBox17");
  binder_->bindOption(voxDelay, keys::VoxDelay);
  voxGrid->addWidget(voxDelay, 1, 1);
  QCheckBox* voxRx = check(voxPanel_, "bsSkinCheckRadioBox9", "接收禁止VOX");
  binder_->bindFlag(voxRx, keys::VoxRX);
  voxGrid->addWidget(voxRx, 2, 0, 1, 2);

  // Right, bottom: band expansion, band and password.
  auto* bandPanel = named(new QFrame(group_), "bsSkinPanel2");
  bandPanel->setFrameShape(QFrame::StyledPanel);
  auto* bandGrid = new QGridLayout(bandPanel);
  bandGrid->setVerticalSpacing(10);
  QCheckBox* expFreq = check(bandPanel, "bsSkinCheckRadioBox14", "按键扩频");
  binder_->bindFlag(expFreq, keys::ExpFreq);
  bandGrid->addWidget(expFreq, 0, 0, 1, 2);
  bandGrid->addWidget(label("bsSkinStdLabel15", "频段"), 1, 0);
  QComboBox* band = combo(bandPanel, "bsSkinComboBox22");
  binder_->bindOption(band, keys::Band);
  bandGrid->addWidget(band, 1, 1);
  QCheckBox* changePassword = check(bandPanel, "bsSkinCheckRadioBox21", "修改密码");
  binder_->bindFlag(changePassword, keys::ChangePassword);
  bandGrid->addWidget(changePassword, 2, 0);
  password_ = named(new QLineEdit(bandPanel), "bsSkinEdit15");
  password_->setContextMenuPolicy(Qt::NoContextMenu);
  binder_->bindText(password_, keys::Password);
  password_->installEventFilter(this);
  bandGrid->addWidget(password_, 2, 1);

  auto* right = new QVBoxLayout;
  right->setSpacing(12);
  right->addWidget(voxPanel_);
  right->addWidget(bandPanel);
  right->addStretch();

  auto* columns = new QHBoxLayout(group_);
  columns->setContentsMargins(16, 18, 16, 16);
  columns->setSpacing(28);
  columns->addLayout(listGrid);
  columns->addLayout(flagColumn);
  columns->addLayout(right);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, 8, 8, 8);
  outer->addWidget(group_);
  outer->addStretch();
}

void FunctionPage::setCommunicationMode(int mode) {
  mode_ = mode;
  voxPanel_->setVisible(mode_ != kSingleHeadMode);
}

void FunctionPage::showEvent(QShowEvent* event) {
  if (mode_ == kSingleHeadMode) voxPanel_->hide();
  QWidget::showEvent(event);
}

bool FunctionPage::eventFilter(QObject* watched, QEvent* event) {
  // bsSkinEdit15Exit: a password that is not six digits long falls back when the field is left.
  if (watched == password_ && event->type() == QEvent::FocusOut && leavesField(*static_cast<QFocusEvent*>(event)))
    settings_.leavePasswordField();
  return QWidget::eventFilter(watched, event);
}

void FunctionPage::retranslate(const LanguageText& text) { retextCaptions(*this, kFunctionCaptions, text); }

SideKeyPage::SideKeyPage(RadioSettings& settings, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("sideKeyPage"));
  auto* binder = new SettingBinder(settings, this);

  group_ = named(new QGroupBox(QStringLiteral("键设定"), this), "bsSkinNotebook10");
  QComboBox* key = combo(group_, "bsSkinComboBox5");
  key->setMinimumWidth(180);
  binder->bindOption(key, keys::KeyAssignment);
  auto* groupLayout = new QVBoxLayout(group_);
  groupLayout->setContentsMargins(16, 18, 16, 16);
  groupLayout->addWidget(key);
  groupLayout->addStretch();

  // The second key's group exists for the link only; nothing ever shows it.
  auto* hidden = named(new QGroupBox(QStringLiteral("键设定"), this), "bsSkinNotebook8");
  QComboBox* key2 = combo(hidden, "bsSkinComboBox3");
  binder->bindOption(key2, keys::KeyAssignment2);
  (new QVBoxLayout(hidden))->addWidget(key2);
  hidden->hide();

  auto* picture = named(new QLabel(this), "bsSkinImage1");
  picture->setPixmap(programPixmap(260));
  picture->setAlignment(Qt::AlignCenter);

  auto* left = new QVBoxLayout;
  left->addWidget(group_);
  left->addWidget(hidden);
  left->addStretch();

  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(8, 8, 8, 8);
  outer->setSpacing(24);
  outer->addLayout(left, 1);
  outer->addWidget(picture, 1);
}

void SideKeyPage::retranslate(const LanguageText& text) { retextCaptions(*this, kSideKeyCaptions, text); }

}  // namespace qx
