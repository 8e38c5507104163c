#include "mapgen/gshhg_source.h"

#include <cstdint>
#include <netcdf.h>

namespace hoplot::mapgen {

namespace {

// An open netCDF file that reads whole variables by name and remembers the first failure.
class nc_file {
  public:
    explicit nc_file(const std::string& path) {
        if (nc_open(path.c_str(), NC_NOWRITE, &id_) != NC_NOERR) {
            id_ = -1;
            error_ = "cannot open " + path;
        }
    }
    ~nc_file() {
        if (id_ >= 0) nc_close(id_);
    }
    nc_file(const nc_file&) = delete;
    nc_file& operator=(const nc_file&) = delete;

    const std::string& error() const { return error_; }

    template <typename T> std::vector<T> variable(const char* name) {
        int var = 0;
        int dims[NC_MAX_VAR_DIMS];
        int ndims = 0;
        std::size_t length = 0;
        if (!error_.empty()) return {};
        if (nc_inq_varid(id_, name, &var) != NC_NOERR ||
            nc_inq_varndims(id_, var, &ndims) != NC_NOERR || ndims != 1 ||
            nc_inq_vardimid(id_, var, dims) != NC_NOERR ||
            nc_inq_dimlen(id_, dims[0], &length) != NC_NOERR) {
            error_ = std::string("no variable ") + name;
            return {};
        }
        std::vector<T> values(length);
        if (get(var, values.data()) != NC_NOERR) {
            error_ = std::string("cannot read ") + name;
            return {};
        }
        return values;
    }

    int scalar(const char* name) {
        const std::vector<int> v = variable<int>(name);
        return v.empty() ? 0 : v.front();
    }

  private:
    int get(int var, int* out) { return nc_get_var_int(id_, var, out); }
    int get(int var, short* out) { return nc_get_var_short(id_, var, out); }

    int id_ = -1;
    std::string error_;
};

// Shore segments pack their point count, level and entry and exit sides into one word; side 4
// marks a ring that closes inside its bin.
constexpr int closed_side = 4;

} // namespace

std::optional<std::vector<source_segment>> read_binned_file(const std::string& path,
                                                            source_kind kind, std::string& error) {
    nc_file file(path);
    const int bin_minutes = file.scalar("Bin_size_in_minutes");
    const int bins_across = file.scalar("N_bins_in_360_longitude_range");
    const auto first_segment = file.variable<int>("Id_of_first_segment_in_a_bin");
    const auto segment_count = file.variable<short>("N_segments_in_a_bin");
    const auto first_point = file.variable<int>("Id_of_first_point_in_a_segment");
    const auto dx = file.variable<short>("Relative_longitude_from_SW_corner_of_bin");
    const auto dy = file.variable<short>("Relative_latitude_from_SW_corner_of_bin");
    std::vector<int> shore_words;
    std::vector<short> point_counts;
    std::vector<short> levels;
    if (kind == source_kind::shores) {
        shore_words = file.variable<int>("Embedded_npts_levels_exit_entry_for_a_segment");
    } else {
        point_counts = file.variable<short>("N_points_for_a_segment");
        levels = file.variable<short>("Hierarchial_level_of_a_segment");
    }
    if (!file.error().empty() || bin_minutes <= 0 || bins_across <= 0) {
        error = file.error().empty() ? path + ": bad bin size" : path + ": " + file.error();
        return std::nullopt;
    }

    const double bin_degrees = bin_minutes / 60.0;
    std::vector<source_segment> segments;
    for (std::size_t bin = 0; bin < first_segment.size() && bin < segment_count.size(); ++bin) {
        const int row = static_cast<int>(bin) / bins_across;
        const int column = static_cast<int>(bin) % bins_across;
        double west = column * bin_degrees;
        if (west >= 180) west -= 360;
        const double south = 90 - (row + 1) * bin_degrees;
        for (int s = 0; s < segment_count[bin]; ++s) {
            const std::size_t k = static_cast<std::size_t>(first_segment[bin]) + s;
            if (k >= first_point.size()) {
                error = path + ": segment out of range";
                return std::nullopt;
            }
            source_segment segment;
            std::size_t count = 0;
            if (kind == source_kind::shores) {
                const auto word = static_cast<std::uint32_t>(shore_words.at(k));
                count = word >> 9;
                segment.level = static_cast<int>(word >> 6 & 7);
                segment.closed = (word >> 3 & 7) == closed_side;
            } else {
                count = static_cast<std::uint16_t>(point_counts.at(k));
                segment.level = levels.at(k);
            }
            const auto start = static_cast<std::size_t>(first_point[k]);
            if (start + count > dx.size() || start + count > dy.size()) {
                error = path + ": points out of range";
                return std::nullopt;
            }
            // Offsets run 0 .. 65535 across the bin but are stored in signed 16-bit variables.
            for (std::size_t p = start; p < start + count; ++p)
                segment.points.push_back(
                    {west + static_cast<std::uint16_t>(dx[p]) * bin_degrees / 65535,
                     south + static_cast<std::uint16_t>(dy[p]) * bin_degrees / 65535});
            segments.push_back(std::move(segment));
        }
    }
    return segments;
}

} // namespace hoplot::mapgen
