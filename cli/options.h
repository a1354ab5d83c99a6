#pragma once
// The command line of qx4100ctl: one command, its options in any order, and its files.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/language.h"
#include "model/result.h"

namespace qx::cli {

enum class Command { Read, Write, Show, Import, Export, Help };

struct Options {
    Command command = Command::Help;
    std::string port;                    // read, write: "COM1".."COM4" or a device path
    std::optional<bool> singleHead;      // unset: "commode" of the configuration
    std::optional<Language> language;    // unset: the start-up choice
    std::optional<std::string> password; // write: six decimal digits
    std::string file;                    // the channel file; import, export: the file read
    std::string output;                  // import: the channel file written; export: the CSV file
    bool byLocation = false;             // import: rows go to the channel their Location names
    bool partial = false;                // import: write the accepted rows even when some are refused
    std::optional<std::string> into;     // import: the channel file whose copy receives the rows
};

// Exit statuses.
namespace exitcode {
inline constexpr int Success = 0;
inline constexpr int CommunicationFailure = 1;
inline constexpr int Usage = 2;
inline constexpr int PortError = 3;
inline constexpr int FileError = 4;  // invalid, cannot be written, refused by the write check or an import
}  // namespace exitcode

extern const char* const kUsage;

// The arguments after the program name. The error says what is wrong, without the usage text.
Result<Options> parseArguments(const std::vector<std::string_view>& args);

// Exactly six ASCII decimal digits.
bool isPassword(std::string_view text);

}  // namespace qx::cli
