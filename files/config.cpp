#include "files/config.h"

#include <algorithm>
#include <filesystem>

#include "files/atomic_file.h"
#include "files/ini_file.h"

namespace qx {

namespace {

constexpr std::string_view kOpen = "open";
constexpr std::string_view kPorts = "ports";

// Each band list keeps its own key names.
struct BandListKeys {
    std::string_view section;
    std::string_view countKey;
    std::string_view entryPrefix;
    std::string_view selectedKey;
};

constexpr std::array<BandListKeys, 4> kBandListKeys{{
    {"list1_rx", "listcount", "combo", "listnow"},
    {"list1_tx", "list2count", "com2bo", "list2now"},
    {"list2_rx", "list3count", "com3bo", "list3now"},
    {"list2_tx", "list4count", "com4bo", "list4now"},
}};

std::string entryKey(const BandListKeys& keys, int index)
{
    return std::string(keys.entryPrefix) + std::to_string(index);
}

std::string portKey(int index) { return "com" + std::to_string(index + 1); }

int oneOf(std::optional<int> value, std::initializer_list<int> allowed, int fallback)
{
    if (!value)
        return fallback;
    for (int a : allowed)
        if (*value == a)
            return *value;
    return fallback;
}

// An oversized file counts as unreadable.
Result<std::string> readIniBytes(const std::string& path)
{
    auto read = readFileCapped(path, kMaxInputFileBytes);
    if (!read)
        return read.error();
    if (read.value().tooLarge)
        return makeError("File too large");
    return std::move(read).value().bytes;
}

IniFile readIni(const std::string& path)
{
    auto bytes = readIniBytes(path);
    return IniFile::fromGb18030(bytes.ok() ? bytes.value() : std::string());
}

}  // namespace

std::string configPath(const std::string& programDir)
{
    return (std::filesystem::path(programDir) / kConfigFileName).string();
}

Configuration loadConfiguration(const std::string& path)
{
    const IniFile ini = readIni(path);
    Configuration config;
    config.com = oneOf(ini.intValue(kOpen, "com"), {1, 2, 3, 4}, config.com);
    config.commode = oneOf(ini.intValue(kOpen, "commode"), {kSingleHeadMode, kDualHeadMode}, config.commode);
    config.skin = oneOf(ini.intValue(kOpen, "skin"), {1, 2, 3}, config.skin);

    for (std::size_t id = 0; id < kBandListKeys.size(); ++id) {
        const BandListKeys& keys = kBandListKeys[id];
        BandList& list = config.bandLists[id];
        const int stored = std::max(ini.intValue(keys.section, keys.countKey).value_or(0), 0);
        // A count past the cap is damage: take only the entries that are there, not 256 fillers.
        for (int i = 0; i < std::min(stored, kMaxBandListEntries); ++i) {
            auto entry = ini.value(keys.section, entryKey(keys, i));
            if (entry || stored <= kMaxBandListEntries)
                list.entries.push_back(entry.value_or(kDefaultBandRange));
        }
        const int count = static_cast<int>(list.entries.size());
        const int selected = ini.intValue(keys.section, keys.selectedKey).value_or(0);
        list.selected = (selected >= 0 && selected < count) ? selected : -1;
    }

    for (int i = 0; i < kPortCount; ++i) {
        const auto device = ini.value(kPorts, portKey(i));
        if (device && !device->empty())
            config.portDevices[static_cast<std::size_t>(i)] = *device;
    }
    return config;
}

Status saveConfiguration(const std::string& path, const Configuration& config)
{
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(path, ec);
    const std::string shown = ec ? path : full.string();
    const Error failure = makeError("Unable to write to " + shown);

    // Start from what is on disk so keys and sections of others survive. A file that exists but
    // cannot be read is not replaced: that would lose them.
    IniFile ini;
    // A dangling link names the file to create, as for a channel file.
    const bool exists = std::filesystem::exists(path, ec);
    if (ec)
        return failure;
    if (exists) {
        auto bytes = readIniBytes(path);
        if (!bytes)
            return failure;
        ini = IniFile::fromGb18030(bytes.value());
    }

    ini.setInt(kOpen, "com", config.com);
    ini.setInt(kOpen, "commode", config.commode);
    ini.setInt(kOpen, "skin", config.skin);
    for (std::size_t id = 0; id < kBandListKeys.size(); ++id) {
        const BandListKeys& keys = kBandListKeys[id];
        const BandList& list = config.bandLists[id];
        const int count = static_cast<int>(list.entries.size());
        ini.setInt(keys.section, keys.selectedKey, (list.selected >= 0 && list.selected < count) ? list.selected : -1);
        ini.setInt(keys.section, keys.countKey, count);
        for (int i = 0; i < count; ++i)
            ini.set(keys.section, entryKey(keys, i), list.entries[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < kPortCount; ++i)
        ini.set(kPorts, portKey(i), config.portDevices[static_cast<std::size_t>(i)]);

    if (!writeFileAtomically(path, ini.toGb18030()))
        return failure;
    return success();
}

int fileDialogLanguage(const std::string& path)
{
    return readIni(path).intValue(kOpen, "language").value_or(2);
}

std::string portDevicePath(const Configuration& config, std::string_view portName)
{
    if (portName.size() == 4 && (portName[0] == 'C' || portName[0] == 'c') && (portName[1] == 'O' || portName[1] == 'o') &&
        (portName[2] == 'M' || portName[2] == 'm') && portName[3] >= '1' && portName[3] <= '4')
        return config.portDevices[static_cast<std::size_t>(portName[3] - '1')];
    return std::string(portName);
}

}  // namespace qx
