#include "shell/settings.h"

#include <QSettings>
#include <gtest/gtest.h>
#include <tuple>

namespace hoplot {
namespace {

auto fields(const settings& s) {
    return std::tie(s.main_window_width, s.main_window_height, s.output, s.rfc1876, s.globe_mode,
                    s.display_cities, s.display_coastlines, s.display_boundaries, s.display_rivers,
                    s.db_path, s.geoip_database, s.use_geoip);
}

// The tests run with XDG_CONFIG_HOME pointing into the build tree; each starts from no file.
struct settings_test : ::testing::Test {
    QSettings stored{QSettings::NativeFormat, QSettings::UserScope, "Varn Software", "Hoplot"};

    settings_test() {
        stored.clear();
        stored.sync();
    }
    ~settings_test() override { stored.clear(); }

    QVariant stored_value(const char* name) {
        stored.sync();
        return stored.value(QString("1.4/") + name);
    }
};

TEST_F(settings_test, missing_values_take_their_defaults_and_are_stored) {
    const int column = (1600 - 205) / 4;
    const settings expected{
        1600, 1000, {column, column, column, column}, 0, 0, 0, 1, 1, 1, "/opt/hoplot/data/", "", 1};
    EXPECT_EQ(fields(read_settings({1600, 1000}, "/opt/hoplot/data/")), fields(expected));
    for (const auto& [name, value] : {std::pair{"Main Window Width", 1600},
                                      {"Output 3", column},
                                      {"Display Rivers", 1},
                                      {"Display Cities", 0}})
        EXPECT_EQ(stored_value(name).toInt(), value) << name;
    // The data directory found at start is not stored: a moved installation still finds its data.
    EXPECT_FALSE(stored_value("DBPath").isValid());
}

TEST_F(settings_test, column_default_is_an_unsigned_quarter_of_the_width_beside_the_panel) {
    stored.setValue("1.4/Main Window Width", 100);
    stored.sync();
    EXPECT_EQ(read_settings({1600, 1000}, "/d/").output[0],
              static_cast<std::int32_t>((std::uint32_t(100 - 205)) >> 2));
}

TEST_F(settings_test, values_that_are_not_32_bit_numbers_are_replaced_by_defaults) {
    stored.setValue("1.4/Main Window Width", "wide");
    stored.setValue("1.4/Main Window Height", "99999999999");
    stored.setValue("1.4/Display Rivers", "0");
    stored.sync();
    const settings values = read_settings({800, 600}, "/d/");
    EXPECT_EQ(values.main_window_width, 800);
    EXPECT_EQ(values.main_window_height, 600);
    EXPECT_EQ(values.display_rivers, 0);
    EXPECT_EQ(stored_value("Main Window Width").toInt(), 800);
}

TEST_F(settings_test, written_values_read_back_and_hand_edited_dbpath_survives) {
    stored.setValue("1.4/DBPath", "/home/me/hoplot-data");
    stored.sync();
    settings values = read_settings({800, 600}, "/d/");
    EXPECT_EQ(values.db_path, "/home/me/hoplot-data/");

    const settings written{1234, 777, {10, 20, 30, 40},   1,  1, 1, 0,
                           0,    0,   "/somewhere/else/", "", 0};
    write_settings(written);
    values = written;
    values.db_path = "/home/me/hoplot-data/";
    EXPECT_EQ(fields(read_settings({800, 600}, "/d/")), fields(values));
    EXPECT_EQ(stored_value("DBPath").toString(), "/home/me/hoplot-data");
}

} // namespace
} // namespace hoplot
