#include "files/language.h"

#include <array>
#include <filesystem>

#include "files/atomic_file.h"
#include "files/encoding.h"
#include "files/ini_file.h"
#include "model/codeplug.h"
#include "model/display_words.h"

namespace qx {

namespace {

constexpr std::array<std::string_view, 3> kNames{"chinese", "english", "taiwan"};

// The header row of both channel tables. The grid shows the channel table's; "DTMF" and "PTT ID"
// stay in every language. The extras columns carry the labels of their single-channel fields, so a
// refused extras cell is named in the language too ("VOX" stays).
struct HeaderSource {
    int column;
    bool extras;
    int string;
};

constexpr HeaderSource kColumnHeaders[] = {
    {col::Number, false, 25},   {col::Rx, false, 26},        {col::RxTone, false, 27},
    {col::Tx, false, 28},       {col::TxTone, false, 29},    {col::Power, false, 30},
    {col::Bandwidth, false, 73}, {col::ScanAdd, false, 31},  {col::Alias, false, 101},
    {col::More, false, 102},    {xcol::TailElim, true, 76},  {xcol::BusyLock, true, 32},
    {xcol::VoiceMode, true, 77},
};

void applyColumnHeaders(const StringTable& strings, Codeplug& codeplug)
{
    TableUpdate update(codeplug.channels(), codeplug.extras());
    for (const HeaderSource& h : kColumnHeaders) {
        const std::string& text = strings.text(h.string);
        if (text.empty())
            continue;
        if (h.extras)
            codeplug.extras().setCell(h.column, 0, text);
        else
            codeplug.channels().setCell(h.column, 0, text);
    }
}

std::optional<int> parseNumber(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    if (s.empty() || s.size() > 6)
        return std::nullopt;
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

StringTable makeBuiltIn()
{
    // Kept equal to lang/chinese.lng; a test compares the two.
    static constexpr std::pair<int, const char*> kTexts[] = {
        {1, "关于(&A)"},
        {2, "Ok"},
        {3, "QX-4100D 对讲机编程软件"},
        {4, "版本 1.0"},
        {5, "版权所有 (C) 保留所有权利"},
        {6, "QX Radio"},
        {7, "确定"},
        {8, "取消"},
        {9, "文件(&F)"},
        {10, "编辑(&P)"},
        {11, "选项"},
        {12, "帮助(&H)"},
        {13, "新建(&N)"},
        {14, "打开(&O)"},
        {15, "保存(&S)"},
        {16, "退出(&E)"},
        {17, "频率读出(&R)"},
        {18, "频率写入(&W)"},
        {19, "信道编辑(&E)"},
        {20, "功能选项(&Y)"},
        {21, "其它功能(&T)"},
        {22, "通信端口(&C)"},
        {23, "Language"},
        {24, "皮肤(&S)"},
        {25, "信道"},
        {26, "接收频率"},
        {27, "QT/DQT解码"},
        {28, "发射频率"},
        {29, "QT/DQT编码"},
        {30, "发射功率"},
        {31, "扫描添加"},
        {32, "繁忙锁定"},
        {34, "禁用"},
        {35, "启用"},
        {36, "高功率"},
        {37, "低功率"},
        {38, "静噪等级(SQL)"},
        {39, "省电模式"},
        {40, "超时禁发"},
        {41, "提示音"},
        {42, "报警功能"},
        {43, "扫描模式"},
        {45, "VOX 灵敏度"},
        {46, "VOX 迟时"},
        {47, "接收禁止VOX"},
        {48, "分钟"},
        {56, "中文"},
        {57, "English"},
        {58, "通信错误"},
        {59, "无法打开串口，请检查端口设置。"},
        {60, "与对讲机通信失败，请检查连接线及对讲机是否开机。"},
        {61, "QX Radio ORVANE 对讲机编程软件"},
        {62, "确认"},
        {64, "当前数据将被清除，是否继续？"},
        {65, "信道上移"},
        {66, "信道下移"},
        {67, "删除信道"},
        {70, "频段"},
        {73, "宽/窄带"},
        {74, "宽带"},
        {75, "窄带"},
        {76, "尾音消除"},
        {77, "语音模式"},
        {78, "压扩"},
        {79, "扰频"},
        {80, "自动添加"},
        {81, "APO功能"},
        {82, "键盘锁定"},
        {83, "频率步进"},
        {84, "按键扩频"},
        {85, "频段"},
        {87, "FM开关"},
        {88, "频段1"},
        {89, "频段2"},
        {90, "接收范围"},
        {91, "发射范围"},
        {93, "蓝色一族"},
        {94, "钢板"},
        {95, "咖啡"},
        {96, "清除信道"},
        {97, "读频"},
        {98, "写频"},
        {99, "信道"},
        {100, "侧键设定"},
        {101, "信道别名"},
        {102, "更多..."},
        {103, "静噪模式"},
        {104, "CTC/DCS与DTMF"},
        {105, "CTC/DCS或DTMF"},
        {106, "系统"},
        {107, "参数"},
        {108, "DTMF持续时间[毫秒]"},
        {109, "DTMF间隔时间[毫秒]"},
        {110, "首码延迟时间[毫秒]"},
        {112, "预载波时间[毫秒]"},
        {113, "*和#音[毫秒]"},
        {114, "回复解码"},
        {115, "侧音"},
        {116, "显示PTT ID"},
        {117, "PTT ID类型"},
        {118, "发射开始"},
        {119, "发射结束"},
        {120, "两者"},
        {121, "呼叫列表"},
        {122, "序号"},
        {123, "自动拨号号码"},
        {124, "解码"},
        {125, "组ID"},
        {126, "本机ID"},
        {127, "自动复位时间(秒)"},
        {128, "自动回复"},
        {129, "提示音"},
        {130, "带CTC/DCS解码"},
        {131, "遥控激活"},
        {132, "遥控码"},
        {133, "遥控类型"},
        {134, "遥毙"},
        {135, "遥晕"},
        {136, "监听"},
        {137, "呼叫键"},
        {138, "现场报警"},
        {139, "发送1750Hz信号"},
        {140, "遥毙"},
        {141, "通信方式"},
        {142, "单头通信"},
        {143, "双头通信"},
        {144, "信道文件"},
        {145, "该文件不是信道文件。"},
        {146, "信道 %1：%2 无法写入对讲机。"},
        {147, "%1 无法写入对讲机。"},
        {148, "该文件太大，不是信道文件。"},
        {149, "第 %1 行不是有效的 GB18030 文本。"},
        {150, "%1 \"%2\"：%3"},
        {151, "不是数字"},
        {152, "不在本机的亚音列表中"},
        {153, "只能使用 FM 或 NFM"},
        {154, "%1 MHz 超出所选频段的接收范围 %2"},
        {155, "%1 MHz 不在 5 kHz 或 6.25 kHz 频率栅格上"},
        {156, "信道号必须在 1 到 128 之间"},
        {157, "没有剩余的信道可放这一行"},
        {158, "信道 %1 已被第 %2 行占用"},
        {159, "这一列不能取这个值"},
        {160, "\"%1\" 存为别名 \"%2\""},
        {161, "备注 \"%1\" 不保存"},
        {162, "信道 %1：亚音 %2 不在 CHIRP 的标准列表中，按原样写出"},
        {163, "信道 %1 未写出：%2 \"%3\" 无法读取"},
        {164, "文件大于 1 MiB。"},
        {165, "第 %1 行：引号内的字段没有结束。"},
        {166, "第 %1 行不是 UTF-8 文本。"},
        {167, "标题行没有 %1 列。"},
        {168, "列 \"%1\" 无法识别，已忽略"},
        {169, "%1 行被拒绝，未写入任何内容。"},
        {170, "复制(&C)"},
        {171, "剪切(&X)"},
        {172, "粘贴(&V)"},
        {173, "导入(&I)"},
        {174, "导出(&X)"},
        {175, "粘贴预览"},
        {176, "导入预览"},
        {177, "将替换 %1 个信道。"},
        {178, "被拒绝的行：%1"},
        {179, "警告：%1"},
        {180, "行"},
        {181, "列"},
        {182, "值"},
        {183, "原因"},
        {184, "导出 CHIRP CSV"},
        {185, "导入 CHIRP CSV"},
        {186, "已导出，有以下警告："},
        {187, "第 %1 行：%2"},
        {188, "CHIRP CSV 文件 (*.csv)"},
        {189, "按 Location 列放置信道"},
    };
    StringTable table;
    for (const auto& [number, text] : kTexts)
        table.set(number, text);
    return table;
}

}  // namespace

std::string_view languageName(Language language) { return kNames[static_cast<std::size_t>(language)]; }

std::optional<Language> languageFromName(std::string_view name)
{
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name)
            return static_cast<Language>(i);
    return std::nullopt;
}

std::string languageFilePath(const std::string& programDir, Language language)
{
    return (std::filesystem::path(programDir) / (std::string(languageName(language)) + ".lng")).string();
}

const StringTable& StringTable::builtIn()
{
    static const StringTable table = makeBuiltIn();
    return table;
}

StringTable StringTable::parse(std::string_view utf8)
{
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF")  // a byte-order mark some editors write
        utf8.remove_prefix(3);
    StringTable table;
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t nl = utf8.find('\n', start);
        if (nl == std::string_view::npos)
            nl = utf8.size();
        std::string_view line = utf8.substr(start, nl - start);
        start = nl + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const auto number = parseNumber(line.substr(0, eq));
        if (!number)
            continue;
        table.set(*number, std::string(line.substr(eq + 1)));
    }
    return table;
}

const std::string& StringTable::text(int number) const
{
    static const std::string kEmpty;
    const auto it = texts_.find(number);
    return it == texts_.end() ? kEmpty : it->second;
}

std::vector<int> StringTable::numbers() const
{
    std::vector<int> out;
    out.reserve(texts_.size());
    for (const auto& entry : texts_)
        out.push_back(entry.first);
    return out;
}

void StringTable::set(int number, std::string text)
{
    if (text.size() > kMaxLanguageTextBytes)
        text.resize(utf8Prefix(text, kMaxLanguageTextBytes).size());
    texts_[number] = std::move(text);
}

Result<StringTable> loadStringTable(const std::string& path)
{
    auto read = readFileCapped(path, kMaxInputFileBytes);
    if (!read)
        return read.error().withContext(path);
    if (read.value().tooLarge)
        return makeError(path + ": too large to be a language file");
    const std::string& bytes = read.value().bytes;
    if (!isValidUtf8(bytes))
        return makeError(path + ": not UTF-8 text");
    StringTable table = StringTable::parse(bytes);
    // A number the file lacks or leaves empty would blank a dialog or an option text; the
    // built-in text stands in. Display words keep their own rule (the previous word stays).
    for (const int number : StringTable::builtIn().numbers()) {
        bool isWord = false;
        for (Word w : kAllWords)
            isWord = isWord || languageStringOf(w) == number;
        if (!isWord && table.text(number).empty())
            table.set(number, StringTable::builtIn().text(number));
    }
    return table;
}

LanguageStore::LanguageStore(std::string programDir)
    : programDir_(std::move(programDir)), strings_(StringTable::builtIn())
{
}

Status LanguageStore::load(Language language)
{
    auto table = loadStringTable(languageFilePath(programDir_, language));
    if (!table)
        return table.error();
    strings_ = std::move(table).value();
    loaded_ = language;
    return success();
}

DisplayWords displayWordsFrom(const StringTable& strings, const DisplayWords& previous)
{
    DisplayWords words = previous;
    for (Word w : kAllWords) {
        const std::string& text = strings.text(languageStringOf(w));
        if (!text.empty())
            words.set(w, text);
    }
    return words;
}

void applyLanguage(const StringTable& strings, Codeplug& codeplug)
{
    // Words first: the option lists that show the Off word take it from the same table.
    const DisplayWords words = displayWordsFrom(strings, codeplug.words());
    codeplug.settings().applyLanguage([&strings, &words](int number) -> std::optional<std::string> {
        if (number == languageStringOf(Word::Off))
            return words.off;
        return strings.text(number);
    });
    codeplug.reword(words);
    applyColumnHeaders(strings, codeplug);
}

Status applyLanguage(LanguageStore& store, Language language, Codeplug& codeplug)
{
    if (Status loaded = store.load(language); !loaded)
        return loaded;
    applyLanguage(store.strings(), codeplug);
    return success();
}

Language startupLanguage(const std::string& programDir)
{
    auto read = readFileCapped((std::filesystem::path(programDir) / "UNWISE.INI").string(), kMaxInputFileBytes);
    if (!read || read.value().tooLarge)
        return Language::Chinese;
    const auto msg1 = IniFile::fromGb18030(read.value().bytes).value("Language", "msg1");
    return (msg1 && *msg1 == "Installation Logs") ? Language::English : Language::Chinese;
}

FileDialogTexts fileDialogTexts(int language)
{
    switch (language) {
    case 1:
        return {"地址: ", "返回上一个访问的文件夹", "向上", "新建文件夹", "查看", "平铺", "图标", "列表",
                "详细信息", "打开", "保存", "取消", "文件名:", "文件类型:"};
    case 2:
        return {"Look in: ", "Go To Last Folder Visited", "Up One Level", "Create New Folder", "View Menu",
                "Large icons", "Small icons", "List", "Details", "&Open", "&Save", "Cancel", "File name:",
                "File type:"};
    case 3:
        return {"查詢: ", "到上次瀏覽的資料夾", "往上移一層", "建立新資料夾", "檢視功能表", "大型圖示", "小型圖示",
                "清單", "詳細資料", "開啟", "存檔", "取消", "檔名:", "檔案類型:"};
    default:
        return {};
    }
}

}  // namespace qx
