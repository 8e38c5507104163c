#pragma once

#include <string>
#include <vector>

#include "base/loading_progress.h"

namespace hoplot::test {

// What the loading dialog was told, in order; the bar's steps only counted.
struct recording_progress final : loading_progress {
    std::vector<std::string> events;
    int steps = 0;
    void set_stage(const std::string& text) override { events.push_back(text); }
    void set_range(int maximum) override { events.push_back("range " + std::to_string(maximum)); }
    void advance() override { ++steps; }
};

} // namespace hoplot::test
