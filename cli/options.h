#pragma once
// The command line of qx4100ctl: one command, its options in any order, and the channel file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/language.h"
#include "model/result.h"

namespace qx::cli {

enum class Command { Read, Write, Show, Help };

struct Options {
    Command command = Command::Help;
    std::string port;                    // read, write: "COM1".."COM4" or a device path
    std::optional<bool> singleHead;      // unset: "commode" of the configuration
    std::optional<Language> language;    // unset: the start-up choice
    std::optional<std::string> password; // write: six decimal digits
    std::string file;                    // the channel file
};

// Exit statuses.
namespace exitcode {
inline constexpr int Success = 0;
inline constexpr int CommunicationFailure = 1;
inline constexpr int Usage = 2;
inline constexpr int PortError = 3;
inline constexpr int FileError = 4;  // invalid, cannot be written, or refused by the write check
}  // namespace exitcode

extern const char* const kUsage;

// The arguments after the program name. The error says what is wrong, without the usage text.
Result<Options> parseArguments(const std::vector<std::string_view>& args);

// Exactly six ASCII decimal digits.
bool isPassword(std::string_view text);

}  // namespace qx::cli
