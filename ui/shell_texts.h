#pragma once
// The built-in texts of the main window's menus, toolbar and page tabs, with the number of the
// language string that replaces each (0: the same in every language). The menu bar, the toolbar and a
// language change are all driven from these tables, so an item's name, caption and string live once.

#include <array>

namespace qx::shell {

inline constexpr const char* kMakerName = "QX Radio";
inline constexpr const char* kBuiltInTitle = "QC4100";
inline constexpr const char* kApplicationTitle = "QX-4100D";
// The main window's title once a band-1 receive range is selected: prefix, band text, suffix.
inline constexpr const char* kTitlePrefix = "QX-4100D    [";
inline constexpr const char* kTitleSuffix = "]";
inline constexpr const char* kHelpFile = "QX4100D.chm";
// The status bar text is five spaces before string 61; this is what stands there before any language.
inline constexpr const char* kStatusIndent = "     ";
inline constexpr const char* kBuiltInStatus = "QX Radio ORVANE 对讲机编程软件";
inline constexpr int kStatusString = 61;
inline constexpr int kAboutString = 1;  // About item and about box title, each with "..." appended
inline constexpr int kOkString = 2;

// One row of the menu bar. Depth 0 is a menu of the bar, 1 an item (or submenu) of a menu, 2 an item
// of a submenu; a row without caption is a separator. Every depth-2 item belongs to its submenu's
// check group, exactly one of which is marked at a time, except in the command submenus below.
struct MenuRow {
  int depth;
  const char* name;
  const char* caption;
  int stringNo;
};

// Sized by its rows, so a row added or removed can never leave an empty row behind.
inline constexpr auto kMenuRows = std::to_array<MenuRow>({
    {0, "fefs1", "文件(&F)", 9},
    {1, "fsef1", "新建(&N)", 13},
    {1, "rsgg1", "打开(&O)", 14},
    {1, "segs1", "保存(&S)", 15},
    {1, "N14", nullptr, 0},
    {1, "Import1", "导入(&I)", 173},
    {2, "ImportChirp1", "&CHIRP CSV...", 0},
    {1, "Export1", "导出(&X)", 174},
    {2, "ExportChirp1", "&CHIRP CSV...", 0},
    {1, "N1", nullptr, 0},
    {1, "E1", "退出(&E)", 16},
    {0, "sgse1", "编辑(&P)", 10},
    {1, "Copy1", "复制(&C)", 170},
    {1, "Cut1", "剪切(&X)", 171},
    {1, "Paste1", "粘贴(&V)", 172},
    {1, "N15", nullptr, 0},
    {1, "gs1", "频率读出(&R)", 17},
    {1, "N2", "频率写入(&W)", 18},
    {1, "N3", nullptr, 0},
    {1, "N4", "信道编辑(&E)", 19},
    {1, "N5", "功能选项(&Y)", 20},
    {1, "DTMF1", "DTMF", 0},
    {1, "N6", nullptr, 0},
    {1, "N8", "信道", 99},
    {1, "N9", "侧键设定", 100},
    {1, "N10", nullptr, 0},
    {1, "T1", "其它功能(&T)", 21},
    {0, "N7", "选项", 11},
    {1, "gsegs1", "通信端口(&C)", 22},
    {2, "COM11", "COM(&1)", 0},
    {2, "COM21", "COM(&2)", 0},
    {2, "COM31", "COM(&3)", 0},
    {2, "COM41", "COM(&4)", 0},
    {1, "N11", "通信方式", 141},
    {2, "N12", "单头通信", 142},
    {2, "N13", "双头通信", 143},
    {1, "Language1", "Language", 23},
    {2, "Chinese1", "中文", 56},
    {2, "English1", "English", 57},
    {2, "Chinese2", "中文(繁體)", 0},
    {1, "S1", "皮肤(&S)", 24},
    {2, "sk1", "蓝色一族", 93},
    {2, "sk2", "钢板", 94},
    {2, "sk3", "咖啡", 95},
});

// Submenus whose items are commands; every other submenu is a check group.
inline constexpr std::array<const char*, 2> kCommandSubmenus{"Import1", "Export1"};

// The Help menu comes last; its two items have texts built from strings 12 and 1.
inline constexpr std::array<MenuRow, 3> kHelpRows{{
    {0, "H1", "帮助(&H)", 12},
    {1, "H2", "帮助(&H)...", 12},
    {1, "A1", "关于(&A)...", 1},
}};

struct ToolRow {
  const char* name;
  const char* caption;  // nullptr: icon only
  int stringNo;
};

// Left to right; the separator stands between the third and the fourth button.
inline constexpr std::array<ToolRow, 5> kToolRows{{
    {"bsSkinSpeedButton1", nullptr, 0},
    {"bsSkinSpeedButton2", nullptr, 0},
    {"bsSkinSpeedButton3", nullptr, 0},
    {"bsSkinSpeedButton4", "读频", 97},
    {"bsSkinSpeedButton5", "写频", 98},
}};

struct PageRow {
  const char* name;
  const char* caption;
  int stringNo;
};

// The six pages in tab order; index i is page i of the Edit menu's page items.
inline constexpr std::array<PageRow, 6> kPageRows{{
    {"bsSkinTabSheet1", "信道编辑", 19},
    {"bsSkinTabSheet2", "功能选项", 20},
    {"bsSkinTabSheet5", "DTMF", 0},
    {"bsSkinTabSheet10", "信道", 99},
    {"bsSkinTabSheet11", "侧键设定", 100},
    {"bsSkinTabSheet3", "其它功能", 21},
}};

}  // namespace qx::shell
