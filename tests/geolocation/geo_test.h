#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/show_message.h"
#include "geolocation/as_source.h"
#include "geolocation/geoip_source.h"
#include "geolocation/position_cache.h"
#include "scratch_dir.h"

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

// A data directory of its own as DBPath, an empty position cache, and the ShowMessage texts
// recorded; the settings, the GeoIP and AS sources and the message handler are put back
// afterwards.
class geo_test : public ::testing::Test {
  protected:
    void SetUp() override {
        old_handler_ = set_message_handler([this](const std::string& m) { messages.push_back(m); });
        old_settings_ = app_settings();
        app_settings().db_path = data.path();
        app_position_cache().clear();
    }
    void TearDown() override {
        app_settings() = old_settings_;
        open_geoip_source();
        open_as_source();
        app_position_cache().clear();
        set_message_handler(old_handler_);
    }

    scratch_dir data;
    std::vector<std::string> messages;

  private:
    message_handler old_handler_;
    settings old_settings_;
};

} // namespace hoplot
