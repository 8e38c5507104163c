#include "geolocation/as_source.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/data_dir.h"
#include "base/show_message.h"
#include "base/whole_file.h"

namespace hoplot {
namespace {

struct app_as {
    std::mutex lock;
    std::shared_ptr<const as_database> database;
    std::string notice;
    std::string failed_path; // reported already; not reported again
};

app_as& app_source() {
    static app_as source;
    return source;
}

std::string missing_notice() {
    return "No AS database, so the networks of the hops are not named: hoplot-fetch-data "
           "fetches it";
}

} // namespace

as_database::as_database(void* mapping, std::size_t size, as_table table)
    : mapping_(mapping), size_(size), table_(table) {}

as_database::~as_database() {
    munmap(mapping_, size_);
}

std::unique_ptr<as_database> as_database::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat status {};
    void* mapping = MAP_FAILED;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        mapping =
            mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (mapping == MAP_FAILED) return nullptr;
    const auto size = static_cast<std::size_t>(status.st_size);
    const auto table = as_table::over({static_cast<const char*>(mapping), size});
    if (!table) {
        munmap(mapping, size);
        return nullptr;
    }
    return std::unique_ptr<as_database>(new as_database(mapping, size, *table));
}

std::optional<as_network> as_database::lookup(const std::string& address) const {
    const auto parsed = parse_ip(address);
    if (!parsed) return std::nullopt;
    return table_.lookup(*parsed);
}

std::string convert_as_files(const std::string& csv4, const std::string& csv6,
                             const std::string& out) {
    as_csv_result families[2];
    const std::string* paths[2] = {&csv4, &csv6};
    for (int i = 0; i < 2; ++i) {
        const auto text = read_whole_file(*paths[i]);
        if (!text) return format_message("Can't read file %s", *paths[i]);
        families[i] = read_as_csv(*text, i == 0 ? ip_family::v4 : ip_family::v6);
        if (families[i].bad_line != 0)
            return *paths[i] + ":" + std::to_string(families[i].bad_line) +
                   ": not a line of first address, last address, AS number and name";
    }
    const std::string table =
        build_as_table(std::move(families[0].ranges), std::move(families[1].ranges));
    // Written beside the target and renamed over it: a reader never maps a half-written file.
    const std::string part = out + ".part";
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(out).parent_path(), ignored);
    std::FILE* file = std::fopen(part.c_str(), "wb");
    const bool written = file != nullptr &&
                         std::fwrite(table.data(), 1, table.size(), file) == table.size() &&
                         std::fclose(file) == 0;
    if (!written || std::rename(part.c_str(), out.c_str()) != 0) {
        std::remove(part.c_str());
        return format_message("Can't write to file %s", out);
    }
    return {};
}

std::string default_as_database(const std::string& db_path) {
    for (const std::string& candidate :
         {user_data_dir() + as_table_file, db_path + as_table_file}) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(candidate, ignored)) return candidate;
    }
    return {};
}

void open_as_source(const std::string& db_path) {
    const std::string path = default_as_database(db_path);
    std::shared_ptr<const as_database> database = path.empty() ? nullptr : as_database::open(path);
    const std::string unreadable = format_message("Can't open AS database %s", path);
    bool report = false;
    {
        app_as& source = app_source();
        std::lock_guard guard(source.lock);
        source.database = database;
        source.notice = database ? "" : path.empty() ? missing_notice() : unreadable;
        report = !database && !path.empty() && path != source.failed_path;
        if (report) source.failed_path = path;
    }
    // Outside the lock: the window's message box waits for the user.
    if (report) ShowMessage(unreadable);
}

std::function<std::optional<as_network>(const std::string& address)> as_source() {
    app_as& source = app_source();
    std::lock_guard guard(source.lock);
    return [database = source.database](const std::string& address) {
        return database ? database->lookup(address) : std::nullopt;
    };
}

std::string as_source_notice() {
    app_as& source = app_source();
    std::lock_guard guard(source.lock);
    return source.notice;
}

} // namespace hoplot
