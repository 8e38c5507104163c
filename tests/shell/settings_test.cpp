#include "shell/settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace hoplot {
namespace {

// The tests run with XDG_CONFIG_HOME pointing into the build tree; each starts from no file.
class settings_test : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Varn Software", "Hoplot");
        path_ = store.fileName();
        QFile::remove(path_);
    }
    void TearDown() override { QFile::remove(path_); }

    static QSettings stored() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Varn Software", "Hoplot");
    }
    static QVariant stored_value(const char* name) { return stored().value(QString("1.4/") + name); }

    QString path_;
};

TEST_F(settings_test, file_lives_under_the_isolated_config_directory) {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_FALSE(config.isEmpty());
    EXPECT_TRUE(path_.startsWith(config)) << path_.toStdString();
    EXPECT_TRUE(path_.endsWith("Varn Software/Hoplot.conf")) << path_.toStdString();
}

TEST_F(settings_test, missing_values_take_their_defaults_and_are_stored) {
    const settings values = read_settings({1600, 1000}, "/opt/hoplot/data/");
    EXPECT_EQ(values.main_window_width, 1600);
    EXPECT_EQ(values.main_window_height, 1000);
    for (int width : values.output) EXPECT_EQ(width, (1600 - 205) / 4);
    EXPECT_EQ(values.rfc1876, 0);
    EXPECT_EQ(values.globe_mode, 0);
    EXPECT_EQ(values.display_cities, 0);
    EXPECT_EQ(values.display_coastlines, 1);
    EXPECT_EQ(values.display_boundaries, 1);
    EXPECT_EQ(values.display_rivers, 1);
    EXPECT_EQ(values.use_geoip, 1);
    EXPECT_EQ(values.geoip_database, "");
    EXPECT_EQ(values.db_path, "/opt/hoplot/data/");

    EXPECT_EQ(stored_value("Main Window Width").toInt(), 1600);
    EXPECT_EQ(stored_value("Output 3").toInt(), (1600 - 205) / 4);
    EXPECT_EQ(stored_value("Display Rivers").toInt(), 1);
    EXPECT_EQ(stored_value("Display Cities").toInt(), 0);
    // The data directory found at start is not stored: a moved installation still finds its data.
    EXPECT_FALSE(stored_value("DBPath").isValid());
}

TEST_F(settings_test, column_default_is_an_unsigned_quarter_of_the_width_beside_the_panel) {
    stored().setValue("1.4/Main Window Width", 100);
    const settings values = read_settings({1600, 1000}, "/d/");
    EXPECT_EQ(values.output[0], static_cast<std::int32_t>((std::uint32_t(100 - 205)) >> 2));
}

TEST_F(settings_test, values_that_are_not_32_bit_numbers_are_replaced_by_defaults) {
    {
        QSettings store = stored();
        store.setValue("1.4/Main Window Width", "wide");
        store.setValue("1.4/Main Window Height", "99999999999");
        store.setValue("1.4/Display Rivers", "0");
    }
    const settings values = read_settings({800, 600}, "/d/");
    EXPECT_EQ(values.main_window_width, 800);
    EXPECT_EQ(values.main_window_height, 600);
    EXPECT_EQ(values.display_rivers, 0);
    EXPECT_EQ(stored_value("Main Window Width").toInt(), 800);
}

TEST_F(settings_test, written_values_read_back_and_hand_edited_dbpath_survives) {
    stored().setValue("1.4/DBPath", "/home/me/hoplot-data");
    settings values = read_settings({800, 600}, "/d/");
    EXPECT_EQ(values.db_path, "/home/me/hoplot-data/");

    values.globe_mode = 1;
    values.display_cities = 1;
    values.rfc1876 = 1;
    values.use_geoip = 0;
    values.main_window_width = 1234;
    values.main_window_height = 777;
    values.output = {10, 20, 30, 40};
    values.db_path = "/somewhere/else/";
    write_settings(values);

    const settings again = read_settings({800, 600}, "/d/");
    EXPECT_EQ(again.globe_mode, 1);
    EXPECT_EQ(again.display_cities, 1);
    EXPECT_EQ(again.rfc1876, 1);
    EXPECT_EQ(again.use_geoip, 0);
    EXPECT_EQ(again.main_window_width, 1234);
    EXPECT_EQ(again.main_window_height, 777);
    EXPECT_EQ(again.output, (std::array<std::int32_t, 4>{10, 20, 30, 40}));
    EXPECT_EQ(again.db_path, "/home/me/hoplot-data/");
    EXPECT_EQ(stored_value("DBPath").toString(), "/home/me/hoplot-data");
}

} // namespace
} // namespace hoplot
