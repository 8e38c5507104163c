#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "base/settings.h"
#include "geolocation/as_source.h"
#include "geolocation/geoip_source.h"
#include "geolocation/position_cache.h"
#include "scratch_dir.h"
#include "support/message_log.h"

namespace hoplot {

inline entry_t position(double latitude, const char* latitude_word, double longitude,
                        const char* longitude_word) {
    entry_t entry;
    entry.latitude = latitude;
    entry.latitude_word = latitude_word;
    entry.longitude = longitude;
    entry.longitude_word = longitude_word;
    return entry;
}

// Settings with a data directory of its own as DBPath, an empty position cache, and the
// ShowMessage texts recorded; the GeoIP and AS sources are closed and the message handler is put
// back afterwards.
class geo_test : public ::testing::Test, public test::message_log {
  protected:
    void SetUp() override {
        values.db_path = data.path();
        app_position_cache().clear();
    }
    void TearDown() override {
        open_geoip_source(settings{});
        open_as_source("");
        app_position_cache().clear();
    }

    scratch_dir data;
    settings values;
};

// What the databases open now answer.
inline std::optional<entry_t> geoip_lookup(const std::string& address) {
    return geoip_source()(address);
}

inline std::optional<as_network> as_lookup(const std::string& address) {
    return as_source()(address);
}

} // namespace hoplot
