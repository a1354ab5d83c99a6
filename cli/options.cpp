#include "cli/options.h"

#include <algorithm>

namespace qx::cli {

const char* const kUsage =
    "usage:\n"
    "  qx4100ctl read  --port PORT [--single-head|--dual-head] [--language chinese|english|taiwan] FILE\n"
    "  qx4100ctl write --port PORT [--single-head|--dual-head] [--language chinese|english|taiwan]"
    " [--password DIGITS] FILE\n"
    "  qx4100ctl show  [--language chinese|english|taiwan] FILE\n"
    "  qx4100ctl import [--by-location] [--into BASE.kt6] [--partial] [--language ...] IN.csv OUT.kt6\n"
    "  qx4100ctl export [--language ...] IN.kt6 OUT.csv\n"
    "PORT is COM1 to COM4 (devices from myini.ini) or a device path such as /dev/ttyUSB0.\n"
    "Exit status: 0 success, 1 communication failure, 2 usage error, 3 port cannot be opened,\n"
    "4 channel file invalid, not writable, or refused by the write check; CSV file refused,\n"
    "  or an import row refused (without --partial nothing is written then).\n";

bool isPassword(std::string_view text)
{
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

namespace {

std::optional<Command> commandFromName(std::string_view name)
{
    if (name == "read")
        return Command::Read;
    if (name == "write")
        return Command::Write;
    if (name == "show")
        return Command::Show;
    if (name == "import")
        return Command::Import;
    if (name == "export")
        return Command::Export;
    if (name == "--help" || name == "-h" || name == "help")
        return Command::Help;
    return std::nullopt;
}

}  // namespace

Result<Options> parseArguments(const std::vector<std::string_view>& args)
{
    if (args.empty())
        return makeError("no command given");
    Options o;
    const auto command = commandFromName(args[0]);
    if (!command)
        return makeError("unknown command '" + std::string(args[0]) + "'");
    o.command = *command;
    if (o.command == Command::Help)
        return o;

    const bool transfer = o.command == Command::Read || o.command == Command::Write;
    const bool import = o.command == Command::Import;
    std::vector<std::string_view> files;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string_view a = args[i];
        if (optionsEnded || a.empty() || a[0] != '-' || a == "-") {
            files.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            o.command = Command::Help;
            return o;
        }
        // "--name value" or "--name=value".
        std::string_view name = a;
        std::optional<std::string_view> inlineValue;
        if (const auto eq = a.find('='); eq != std::string_view::npos) {
            name = a.substr(0, eq);
            inlineValue = a.substr(eq + 1);
        }
        const auto value = [&]() -> Result<std::string_view> {
            if (inlineValue)
                return *inlineValue;
            if (i + 1 >= args.size())
                return makeError("option " + std::string(name) + " needs a value");
            return args[++i];
        };
        const bool takesValue = name == "--port" || name == "--language" || name == "--password" || name == "--into";
        if (!takesValue && inlineValue)
            return makeError("option " + std::string(name) + " takes no value");

        if (name == "--language") {
            auto v = value();
            if (!v)
                return v.error();
            o.language = languageFromName(v.value());
            if (!o.language)
                return makeError("unknown language '" + std::string(v.value()) + "' (chinese, english or taiwan)");
        } else if (transfer && name == "--port") {
            auto v = value();
            if (!v)
                return v.error();
            if (v.value().empty())
                return makeError("empty port name");
            o.port = std::string(v.value());
        } else if (transfer && (name == "--single-head" || name == "--dual-head")) {
            const bool single = name == "--single-head";
            if (o.singleHead && *o.singleHead != single)
                return makeError("--single-head and --dual-head exclude each other");
            o.singleHead = single;
        } else if (o.command == Command::Write && name == "--password") {
            auto v = value();
            if (!v)
                return v.error();
            if (!isPassword(v.value()))
                return makeError("the password must be exactly six digits");
            o.password = std::string(v.value());
        } else if (import && (name == "--by-location" || name == "--partial")) {
            (name == "--partial" ? o.partial : o.byLocation) = true;
        } else if (import && name == "--into") {
            auto v = value();
            if (!v)
                return v.error();
            o.into = std::string(v.value());
        } else {
            return makeError("unknown option " + std::string(name) + " for this command");
        }
    }
    if (import || o.command == Command::Export) {
        if (files.size() != 2)
            return makeError(import ? "import needs IN.csv and OUT.kt6" : "export needs IN.kt6 and OUT.csv");
        o.file = std::string(files[0]);
        o.output = std::string(files[1]);
        return o;
    }
    if (files.empty())
        return makeError("no channel file given");
    if (files.size() > 1)
        return makeError("more than one channel file given");
    o.file = std::string(files[0]);
    if (transfer && o.port.empty())
        return makeError("--port is required");
    return o;
}

}  // namespace qx::cli
