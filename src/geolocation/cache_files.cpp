#include "geolocation/cache_files.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "base/data_dir.h"
#include "base/show_message.h"
#include "base/text_scanner.h"
#include "base/whole_file.h"

namespace hoplot {
namespace {

constexpr std::size_t max_field = 255;

// %s of at most max_field bytes; a longer word gives none, so that its line is skipped instead
// of being read on from the middle of the word.
std::optional<std::string> read_field(text_scanner& in) {
    auto word = in.read_word(max_field + 1);
    if (word && word->size() > max_field) return std::nullopt;
    return word;
}

// The loading bar's range is only an estimate of the line count from the file size.
void set_estimated_range(loading_progress& progress, std::size_t size, std::size_t line_length) {
    progress.set_range(static_cast<int>(std::min<std::size_t>(size / line_length, INT32_MAX)));
}

// Signed degrees from parse_coord as an absolute value and its word.
void insert_signed(position_cache& cache, const std::string& address, std::string name,
                   double latitude, double longitude) {
    cache.insert(address, std::move(name), latitude < 0 ? -latitude : latitude,
                 latitude < 0 ? "South" : "North", longitude < 0 ? -longitude : longitude,
                 longitude < 0 ? "West" : "East");
}

template <typename read_record>
void for_each_line(std::string_view text, loading_progress& progress, read_record&& read) {
    text_scanner lines(text);
    while (!lines.at_end()) {
        text_scanner line(lines.read_line());
        read(line);
        progress.advance();
    }
}

bool is_writable(const std::string& path) {
    if (access(path.c_str(), F_OK) == 0) return access(path.c_str(), W_OK) == 0;
    const std::string dir = std::filesystem::path(path).parent_path().string();
    struct stat info {};
    return stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && access(dir.c_str(), W_OK) == 0;
}

// One word that reads back as one field.
bool is_field(const std::string& text) {
    if (text.empty() || text.size() > max_field) return false;
    for (const char c : text)
        if (std::isspace(static_cast<unsigned char>(c))) return false;
    return true;
}

// A coordinate may be padded on the left ("%5.2f"); the padding reads back as field space.
bool is_number_field(const std::string& text) {
    return is_field(text.substr(std::min(text.find_first_not_of(' '), text.size())));
}

char letter_of(const std::string& word) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(word[0])));
}

// Appends to a regular file only: opening a FIFO for writing would wait for a reader.
bool write_line(const std::string& path, const std::string& line) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) return false;
    struct stat status {};
    std::FILE* file =
        ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) ? ::fdopen(fd, "a") : nullptr;
    if (!file) {
        ::close(fd);
        return false;
    }
    const bool written = std::fputs(line.c_str(), file) >= 0;
    return std::fclose(file) == 0 && written;
}

} // namespace

std::string cache_file_path(const std::string& db_path, const std::string& name) {
    return db_path + "cache_files/" + name;
}

std::vector<std::string> update_cache_paths(const std::string& db_path, bool shipped_writable) {
    const std::string shipped = cache_file_path(db_path, "update.cache");
    if (shipped_writable) return {shipped};
    return {shipped, user_data_dir() + "update.cache"};
}

std::vector<std::string> update_cache_paths(const std::string& db_path) {
    return update_cache_paths(db_path, is_writable(cache_file_path(db_path, "update.cache")));
}

void read_update_records(position_cache& cache, std::string_view text, loading_progress& progress) {
    for_each_line(text, progress, [&cache](text_scanner& in) {
        // "%s %s %s %c %s %c": all six fields or nothing.
        const auto address = read_field(in);
        const auto name = read_field(in);
        const auto latitude = read_field(in);
        in.skip_space();
        const auto latitude_letter = in.read_char();
        const auto longitude = read_field(in);
        in.skip_space();
        const auto longitude_letter = in.read_char();
        if (!longitude_letter || !longitude || !latitude_letter || !latitude || !name || !address)
            return;
        cache.insert(*address, *name, std::strtod(latitude->c_str(), nullptr),
                     *latitude_letter == 'n' ? "North" : "South",
                     std::strtod(longitude->c_str(), nullptr),
                     *longitude_letter == 'e' ? "East" : "West", true);
    });
}

void read_hosts_records(position_cache& cache, std::string_view text, loading_progress& progress) {
    for_each_line(text, progress, [&cache](text_scanner& in) {
        const std::string address = read_field(in).value_or("");
        std::string name = read_field(in).value_or("");
        const double latitude = parse_coord(in);
        const double longitude = parse_coord(in);
        if (!address.empty() && !name.empty())
            insert_signed(cache, address, std::move(name), latitude, longitude);
    });
}

void read_networks_records(position_cache& cache, std::string_view text,
                           loading_progress& progress) {
    for_each_line(text, progress, [&cache](text_scanner& in) {
        const std::string network = read_field(in).value_or("");
        const double latitude = parse_coord(in);
        const double longitude = parse_coord(in);
        std::string label = read_field(in).value_or("");
        if (!network.empty() && !label.empty())
            insert_signed(cache, network, std::move(label), latitude, longitude);
    });
}

void load_update_cache(position_cache& cache, const std::string& path, loading_progress& progress) {
    const auto text = read_whole_file(path);
    if (!text) return;
    set_estimated_range(progress, text->size(), 54);
    read_update_records(cache, *text, progress);
}

void load_hosts_cache(position_cache& cache, const std::string& path, loading_progress& progress) {
    const auto text = read_whole_file(path);
    if (!text) {
        ShowMessage("Error opening hosts file for caching");
        return;
    }
    set_estimated_range(progress, text->size(), 62);
    read_hosts_records(cache, *text, progress);
}

void load_networks_cache(position_cache& cache, const std::string& path,
                         loading_progress& progress) {
    const auto text = read_whole_file(path);
    if (!text) {
        ShowMessage("Error opening network file for caching");
        return;
    }
    set_estimated_range(progress, text->size(), 38);
    read_networks_records(cache, *text, progress);
}

void load_position_caches(const std::string& db_path, loading_progress& progress) {
    position_cache& cache = app_position_cache();
    progress.set_stage("Loading update cache");
    for (const std::string& path : update_cache_paths(db_path))
        load_update_cache(cache, path, progress);
    progress.set_stage("Loading hosts cache");
    load_hosts_cache(cache, cache_file_path(db_path, "hosts.cache"), progress);
    progress.set_stage("Loading networks cache");
    load_networks_cache(cache, cache_file_path(db_path, "networks.cache"), progress);
}

bool append_update(position_cache& cache, const std::string& path, const position_fix& fix) {
    const std::string& name = fix.host_name.empty() ? fix.address : fix.host_name;
    if (!is_cache_key(fix.address) || !is_field(name) || !is_number_field(fix.latitude_text) ||
        !is_number_field(fix.longitude_text) || fix.latitude_word.empty() ||
        fix.longitude_word.empty())
        return false;

    const std::string line = fix.address + " " + name + " " + fix.latitude_text + " " +
                             letter_of(fix.latitude_word) + " " + fix.longitude_text + " " +
                             letter_of(fix.longitude_word) + "\n";
    if (!write_line(path, line)) ShowMessage(format_message("Can't write to file %s", path));
    cache.insert(fix.address, name, std::strtod(fix.latitude_text.c_str(), nullptr),
                 fix.latitude_word, std::strtod(fix.longitude_text.c_str(), nullptr),
                 fix.longitude_word, true);
    return true;
}

bool append_update(const std::string& db_path, const position_fix& fix) {
    return append_update(app_position_cache(), update_cache_paths(db_path).back(), fix);
}

} // namespace hoplot
