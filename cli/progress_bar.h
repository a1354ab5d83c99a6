#pragma once
// A text progress bar on a terminal: "[#####.....]  50%", redrawn in place.

#include <cstdio>
#include <string>

namespace qx::cli {

// The bar for value of max, width marks wide; values beyond max show full.
std::string progressBarText(int value, int max, int width = 40);

class ProgressBar {
public:
    // Draws nothing unless enabled (stderr is a terminal).
    ProgressBar(std::FILE* out, bool enabled) : out_(out), enabled_(enabled) {}
    ~ProgressBar() { finish(); }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(int value, int max);
    // Ends the bar's line, so later messages start on their own.
    void finish();

private:
    std::FILE* out_;
    bool enabled_;
    std::string shown_;
};

}  // namespace qx::cli
