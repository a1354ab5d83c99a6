#pragma once
// The configuration file "myini.ini" next to the program: the shell settings (port, communication
// mode, skin), the four band range lists with their selections, and the device behind each COM
// port. Pure data with a load and a save; the editor applies the values.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"

namespace qx {

inline constexpr const char* kConfigFileName = "myini.ini";
inline constexpr const char* kDefaultBandRange = "400-470MHz";
inline constexpr int kPortCount = 4;
// A stored count above this is taken as damage, not as a list: it would otherwise fill the band
// lists with millions of default entries.
inline constexpr int kMaxBandListEntries = 256;

// One band range list of the band page: its entries in order and the selected position.
struct BandList {
    std::vector<std::string> entries;
    int selected = -1;  // -1: nothing selected
};

// Values of "commode", the programming cable. A single-head cable echoes what is sent and carries
// no VOX.
inline constexpr int kSingleHeadMode = 12;
inline constexpr int kDualHeadMode = 13;

// Which band list: the order in which the lists are loaded and saved.
enum BandListId { kBand1Rx = 0, kBand1Tx = 1, kBand2Rx = 2, kBand2Tx = 3 };

struct Configuration {
    int com = 1;        // serial port number 1..4
    int commode = kDualHeadMode;
    int skin = 1;       // 1..3
    std::array<BandList, 4> bandLists;  // indexed by BandListId
    // Device of COM1..COM4; written back each run so a user can see and change them.
    std::array<std::string, kPortCount> portDevices{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2",
                                                    "/dev/ttyUSB3"};
};

// programDir + "/myini.ini".
std::string configPath(const std::string& programDir);

// Reads the file. A missing or unreadable file, a key that is missing or not a decimal integer,
// and a "com", "commode" or "skin" that names no menu item all give the built-in defaults.
Configuration loadConfiguration(const std::string& path);

// Writes the shell settings, the four lists and the ports into the file, keeping every other
// section, key and comment as it is, and replaces the file atomically. On failure the error is
// "Unable to write to <full path>" and the previous file is intact.
Status saveConfiguration(const std::string& path, const Configuration& config);

// "language" of section "open", read afresh for each file dialog: 1, 2 or 3 as stored, 2 when the
// file or key is missing or not a number. Other stored numbers are returned as they are.
int fileDialogLanguage(const std::string& path);

// The device to open for a port name: "COM1".."COM4" (any case) name the configured device, any
// other name (a device path such as "/dev/ttyS0") passes through.
std::string portDevicePath(const Configuration& config, std::string_view portName);

}  // namespace qx
