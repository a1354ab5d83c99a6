// qx4100ctl: reads a QX-4100 radio into a channel file, writes a channel file into the radio, or
// shows a channel file, through the same transfer code as the editor.

#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/document.h"
#include "cli/options.h"

int main(int argc, char** argv)
{
    using namespace qx::cli;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    auto options = parseArguments(args);
    if (!options) {
        std::fprintf(stderr, "qx4100ctl: %s\n%s", options.error().message.c_str(), kUsage);
        return exitcode::Usage;
    }
    return run(options.value(), programDirectory(argc > 0 ? argv[0] : nullptr));
}
