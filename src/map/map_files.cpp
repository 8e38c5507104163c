#include "map/map_files.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/show_message.h"
#include "base/whole_file.h"

namespace hoplot {
namespace {

struct level_info {
    const char* name;
    std::uint32_t grid;
};

constexpr std::array<level_info, level_count> levels{{{"Low", 4}, {"Medium", 32}, {"High", 256}}};

struct layer_info {
    const char* stage; // with the level name for %s
    const char* kind;  // in the file name
    std::array<map_level, level_count> map_data::*member;
};

constexpr std::array<layer_info, 3> layers{{
    {"Loading %s Level Coastlines", "cil", &map_data::coastlines},
    {"Loading %s Level Rivers", "riv", &map_data::rivers},
    {"Loading %s Level Boundaries", "bdy", &map_data::boundaries},
}};

std::string map_file_path(const layer_info& layer, const level_info& level) {
    return std::string("maps/map.") + layer.kind + "." + std::to_string(level.grid) + ".256";
}

// Sequential big-endian reading that refuses to go past the end.
class byte_reader {
  public:
    explicit byte_reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t position() const { return pos_; }
    bool has(std::uint64_t count) const { return count <= bytes_.size() - pos_; }

    std::uint32_t u32() {
        const std::uint8_t* p = bytes_.data() + pos_;
        pos_ += 4;
        return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
               std::uint32_t{p[3]};
    }

    std::span<const std::uint8_t> take(std::size_t count) {
        const auto part = bytes_.subspan(pos_, count);
        pos_ += count;
        return part;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// Advances the bar in whole hundredths of the file, at most once per polyline.
class progress_meter {
  public:
    progress_meter(loading_progress& progress, std::size_t file_size)
        : progress_(progress), step_(std::max<std::size_t>(1, file_size / 100)) {}

    void reached(std::size_t position) {
        if (position - last_ <= step_) return;
        for (std::size_t n = (position - last_) / step_; n > 0; --n)
            progress_.advance();
        last_ = position;
    }

  private:
    loading_progress& progress_;
    std::size_t step_;
    std::size_t last_ = 0;
};

bool read_cells(byte_reader& in, map_level::builder& level, std::uint32_t grid,
                progress_meter& meter) {
    std::vector<std::uint32_t> counts;
    for (std::uint64_t i = 0; i < std::uint64_t{grid} * grid; ++i) {
        level.begin_cell();
        if (!in.has(4)) return false;
        const std::uint32_t polylines = in.u32();
        if (!in.has(std::uint64_t{polylines} * 4)) return false;
        counts.resize(polylines);
        for (auto& count : counts)
            count = in.u32();
        for (const std::uint32_t points : counts) {
            if (!in.has(std::uint64_t{points} * 2)) return false;
            level.add_polyline(in.take(std::size_t{points} * 2));
            meter.reached(in.position());
        }
    }
    return true;
}

} // namespace

map_file_status parse_map_file(std::span<const std::uint8_t> bytes, std::uint32_t expected_grid,
                               map_level& level, loading_progress& progress) {
    byte_reader in(bytes);
    if (!in.has(8)) return map_file_status::failed;
    const std::uint32_t grid = in.u32();
    const std::uint32_t cell_size = in.u32();
    if (grid != expected_grid) return map_file_status::wrong_grid;
    // Positions are divided by N × M, and the level keeps 32-bit offsets into the file's data.
    if (cell_size == 0 || bytes.size() > UINT32_MAX) return map_file_status::failed;

    progress.set_range(100);
    progress_meter meter(progress, bytes.size());
    map_level::builder builder(grid, cell_size);
    if (!read_cells(in, builder, grid, meter)) return map_file_status::failed;
    level = builder.finish();
    return map_file_status::loaded;
}

map_file_status load_map_file(const std::string& db_path, const std::string& relative_path,
                              std::uint32_t expected_grid, map_level& level,
                              loading_progress& progress) {
    const auto content = read_whole_file(db_path + relative_path);
    if (!content) return map_file_status::failed;
    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(content->data()), content->size());
    return parse_map_file(bytes, expected_grid, level, progress);
}

map_levels_read load_map_levels(const std::string& db_path, int first, int last, map_data& data,
                                loading_progress& progress) {
    map_levels_read read{first - 1, std::nullopt};
    for (int index = first; index <= last; ++index) {
        const level_info& level = levels[static_cast<std::size_t>(index)];
        for (const layer_info& layer : layers) {
            progress.set_stage(format_message(layer.stage, level.name));
            const std::string path = map_file_path(layer, level);
            auto& destination = (data.*layer.member)[static_cast<std::size_t>(index)];
            const auto status = load_map_file(db_path, path, level.grid, destination, progress);
            if (status == map_file_status::wrong_grid) read.wrong_grid = path;
            if (status != map_file_status::loaded) return read;
        }
        read.highest = index;
    }
    return read;
}


} // namespace hoplot
