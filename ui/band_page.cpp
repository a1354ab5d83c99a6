#include "ui/band_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <array>

#include "model/radio_settings.h"
#include "ui/setting_binding.h"

namespace qx {

namespace {

constexpr CaptionRow kCaptions[] = {
    {"bsSkinGroupBox1", 70},
    {"bsSkinNotebook4", 88},
    {"bsSkinNotebook6", 89},
    {"bsSkinStdLabel26", 90},
    {"bsSkinStdLabel27", 91},
    {"bsSkinStdLabel28", 90},
    {"bsSkinStdLabel29", 91},
};

struct BandGroup {
  const char* name;
  const char* title;
  const char* rxLabel;
  const char* rxList;
  std::string_view rxKey;
  const char* txLabel;
  const char* txList;
  std::string_view txKey;
};

}  // namespace

BandPage::BandPage(RadioSettings& settings, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("bandPage"));
  auto* binder = new SettingBinder(settings, this);

  auto* outerGroup = new QGroupBox(QStringLiteral("频段"), this);
  outerGroup->setObjectName(QStringLiteral("bsSkinGroupBox1"));
  auto* groups = new QVBoxLayout(outerGroup);
  groups->setContentsMargins(16, 18, 16, 16);
  groups->setSpacing(14);

  const BandGroup bands[] = {
      {"bsSkinNotebook4", "频段1", "bsSkinStdLabel26", "bsSkinComboBox20", keys::BandRx, "bsSkinStdLabel27",
       "bsSkinComboBox21", keys::BandTx},
      {"bsSkinNotebook6", "频段2", "bsSkinStdLabel28", "bsSkinComboBox6", keys::BandRx1, "bsSkinStdLabel29",
       "bsSkinComboBox11", keys::BandTx1},
  };
  for (const BandGroup& b : bands) {
    auto* group = new QGroupBox(QString::fromUtf8(b.title), outerGroup);
    group->setObjectName(QString::fromLatin1(b.name));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(16, 14, 16, 14);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    const std::array<std::pair<const char*, const char*>, 2> labels{{{b.rxLabel, "接收范围"}, {b.txLabel, "发射范围"}}};
    const std::array<std::pair<const char*, std::string_view>, 2> lists{{{b.rxList, b.rxKey}, {b.txList, b.txKey}}};
    for (int row = 0; row < 2; ++row) {
      auto* label = new QLabel(QString::fromUtf8(labels[row].second), group);
      label->setObjectName(QString::fromLatin1(labels[row].first));
      auto* list = new QComboBox(group);
      list->setObjectName(QString::fromLatin1(lists[row].first));
      list->setMinimumWidth(160);
      binder->bindBand(list, lists[row].second);
      grid->addWidget(label, row, 0);
      grid->addWidget(list, row, 1);
    }
    grid->setColumnStretch(2, 1);
    groups->addWidget(group);
  }

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, 8, 8, 8);
  outer->addWidget(outerGroup);
  outer->addStretch();
}

void BandPage::retranslate(const LanguageText& text) { retextCaptions(*this, kCaptions, text); }

}  // namespace qx
