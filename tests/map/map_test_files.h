#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "shell/loading_progress.h"
#include "shell/settings.h"

namespace hoplot {

// A data directory of the test's own with an empty maps/ folder, in force as DBPath while the
// object lives.
class scratch_data_dir {
  public:
    scratch_data_dir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "hoplot-map-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        std::filesystem::create_directory(root_ / "maps");
        saved_ = app_settings().db_path;
        app_settings().db_path = root_.string() + "/";
    }
    ~scratch_data_dir() {
        app_settings().db_path = saved_;
        std::filesystem::remove_all(root_);
    }
    scratch_data_dir(const scratch_data_dir&) = delete;
    scratch_data_dir& operator=(const scratch_data_dir&) = delete;

    std::filesystem::path map_path(const std::string& name) const { return root_ / "maps" / name; }

    void write(const std::string& name, const std::string& content) const {
        std::ofstream(map_path(name), std::ios::binary) << content;
    }

  private:
    std::filesystem::path root_;
    std::string saved_;
};

// One polyline as stored: bx, by, bx, by, ...
using stored_polyline = std::vector<std::uint8_t>;

inline void append_u32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>(value >> shift & 0xFF);
}

// A map file in the on-disk layout; cells not named hold no polyline.
inline std::string
map_file_bytes(std::uint32_t grid, std::uint32_t cell_size,
               const std::map<std::size_t, std::vector<stored_polyline>>& cells = {}) {
    std::string out;
    append_u32(out, grid);
    append_u32(out, cell_size);
    for (std::size_t i = 0; i < std::size_t{grid} * grid; ++i) {
        const auto found = cells.find(i);
        if (found == cells.end()) {
            append_u32(out, 0);
            continue;
        }
        append_u32(out, static_cast<std::uint32_t>(found->second.size()));
        for (const auto& line : found->second)
            append_u32(out, static_cast<std::uint32_t>(line.size() / 2));
        for (const auto& line : found->second)
            out.append(line.begin(), line.end());
    }
    return out;
}

// What the loading dialog was told, in order; "advance" counts as one entry per step.
class recording_progress final : public loading_progress {
  public:
    void set_stage(const std::string& text) override { events.push_back(text); }
    void set_range(int maximum) override { events.push_back("range " + std::to_string(maximum)); }
    void advance() override { ++steps; }

    std::vector<std::string> events;
    int steps = 0;
};

} // namespace hoplot
