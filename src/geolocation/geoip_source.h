#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/settings.h"
#include "geolocation/location.h"

struct MMDB_s;

namespace hoplot {

// A MaxMind-format city database: the flat DB-IP Lite schema ("latitude", "longitude") or the
// GeoLite2 City schema ("location" / "latitude", "longitude"). One open database may be
// searched by several threads at once.
class geoip_database {
  public:
    // None when the file is missing or is no such database.
    static std::unique_ptr<geoip_database> open(const std::string& path);
    ~geoip_database();
    geoip_database(const geoip_database&) = delete;
    geoip_database& operator=(const geoip_database&) = delete;

    // The position of a dotted IPv4 or an IPv6 address; none when the database does not place
    // it. An IPv4-only database places no IPv6 address.
    std::optional<entry_t> lookup(const std::string& address) const;
    bool holds_ipv6() const;

  private:
    explicit geoip_database(std::unique_ptr<MMDB_s> db);
    std::unique_ptr<MMDB_s> db_;
};

// The database to use when the "GeoIP Database" setting is empty: the first that exists of the
// one hoplot-fetch-data fetched into the user's data directory, the one in the data directory
// and the system's GeoLite2 City files; empty when none.
std::string default_geoip_database(const std::string& db_path);

// The IPv6 file of a package that keeps one file per family: the same path with "ipv6" for the
// last "ipv4" of the file name; empty when the name has none.
std::string ipv6_companion(const std::string& path);

// Opens, for the whole process, the database that the settings name (and, when that one holds
// only IPv4 networks, its IPv6 companion if there is one), or closes it when "Use GeoIP" is 0;
// called at start and again whenever those settings change. A database that cannot be opened
// is reported once and the source stays off.
void open_geoip_source(const settings& values);

// Looks addresses up in the databases open now, which it keeps open as long as it lives; finds
// nothing while the source is off.
std::function<std::optional<entry_t>(const std::string& address)> geoip_source();

} // namespace hoplot
