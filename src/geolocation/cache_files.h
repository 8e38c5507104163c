#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/loading_progress.h"
#include "geolocation/position_cache.h"

namespace hoplot {

// The three files below the data directory that fill the position cache, read in this order
// (a later entry with an equal key replaces an earlier one):
//   update.cache    the user's fixes:  address name 37.5 n 122.25 w
//   hosts.cache     known hosts:       address name 37 46N 122 25W
//   networks.cache  known networks:    10.1 37 46 30N 122 25W label
// Every record is one line; a line that does not give its fields, or whose word fields are
// longer than 255 bytes, is skipped.

// db_path + "cache_files/" + name.
std::string cache_file_path(const std::string& db_path, const std::string& name);

// The update.cache files in reading order; fixes are appended to the last. The data directory's
// alone when it can be written there; else the user's follows it (a read-only installation), so
// that the shipped fixes still hold and the user's own win over them.
std::vector<std::string> update_cache_paths(const std::string& db_path, bool shipped_writable);
std::vector<std::string> update_cache_paths(const std::string& db_path);

void read_update_records(position_cache& cache, std::string_view text, loading_progress& progress);
void read_hosts_records(position_cache& cache, std::string_view text, loading_progress& progress);
void read_networks_records(position_cache& cache, std::string_view text,
                           loading_progress& progress);

// A missing update.cache is normal; missing hosts or networks files are reported.
void load_update_cache(position_cache& cache, const std::string& path, loading_progress& progress);
void load_hosts_cache(position_cache& cache, const std::string& path, loading_progress& progress);
void load_networks_cache(position_cache& cache, const std::string& path,
                         loading_progress& progress);

// Loads the three files of the data directory into the process-wide cache, naming each stage
// on the progress.
void load_position_caches(const std::string& db_path, loading_progress& progress);

// A position the user fixed by hand: the texts as typed (absolute decimal degrees) and the
// words "North"/"South", "East"/"West".
struct position_fix {
    std::string host_name; // may be empty; the address then stands in for it in the file
    std::string address;
    std::string latitude_text;
    std::string latitude_word;
    std::string longitude_text;
    std::string longitude_word;
};

// Appends the fix to the file and puts it in force at once. A fix that the file could not read
// back (an empty or blank-containing text, an address that is no cache key) is refused: false,
// nothing written. When the file cannot be written the user is told and the fix still holds
// for this run.
bool append_update(position_cache& cache, const std::string& path, const position_fix& fix);

// The same on the process-wide cache and the update.cache of the data directory.
bool append_update(const std::string& db_path, const position_fix& fix);

} // namespace hoplot
