#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "geolocation/as_table.h"

namespace hoplot {

// An AS table file mapped into memory, shared by every thread that looks addresses up in it.
class as_database {
  public:
    // None when the file is missing or is no AS table of this version.
    static std::unique_ptr<as_database> open(const std::string& path);
    ~as_database();
    as_database(const as_database&) = delete;
    as_database& operator=(const as_database&) = delete;

    // The network of an IPv4 or IPv6 address in text; none for anything else.
    std::optional<as_network> lookup(const std::string& address) const;

  private:
    as_database(void* mapping, std::size_t size, as_table table);
    void* mapping_;
    std::size_t size_;
    as_table table_;
};

inline constexpr const char* as_table_file = "asn/asn.bin";

// Converts the package's two CSV files into the AS table file `out`, which appears whole or not
// at all. Returns what went wrong, empty when done.
std::string convert_as_files(const std::string& csv4, const std::string& csv6,
                             const std::string& out);

// The AS table that hoplot-fetch-data made: the first that exists of asn/asn.bin in the user's
// data directory and in the data directory; empty when neither does.
std::string default_as_database(const std::string& db_path);

// Opens, for the whole process, the default AS table of the data directory. One that is there
// but cannot be read is reported once.
void open_as_source(const std::string& db_path);

// Looks addresses up in the table open now, which it keeps open as long as it lives; finds
// nothing while there is no table.
std::function<std::optional<as_network>(const std::string& address)> as_source();

// Why the networks of hops are not named; empty while the table is open.
std::string as_source_notice();

} // namespace hoplot
