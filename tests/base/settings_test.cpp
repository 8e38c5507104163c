#include "base/settings.h"

#include <QBuffer>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

#include "base/settings_format.h"

namespace hoplot {
namespace {

auto fields(const settings& s) {
    return std::tie(s.main_window_width, s.main_window_height, s.output, s.rfc1876, s.globe_mode,
                    s.display_cities, s.display_coastlines, s.display_boundaries, s.display_rivers,
                    s.db_path, s.geoip_database, s.use_geoip, s.address_family, s.home_location,
                    s.check_positions);
}

// The settings file as a user edits it. The tests run with XDG_CONFIG_HOME pointing into the
// build tree; each starts from no file.
struct settings_test : ::testing::Test {
    const std::string path = settings_file();

    settings_test() { std::filesystem::remove(path); }
    ~settings_test() override { std::filesystem::remove(path); }

    void write(const std::string& text) const {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string text() const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool has_line(const std::string& line) const {
        std::istringstream lines(text());
        for (std::string each; std::getline(lines, each);)
            if (each == line) return true;
        return false;
    }
};

TEST_F(settings_test, missing_values_take_their_defaults_and_are_stored) {
    const int column = (1600 - 205) / 5;
    const settings expected{1600,
                            1000,
                            {column, column, column, column, column},
                            0,
                            0,
                            0,
                            1,
                            1,
                            1,
                            "/opt/hoplot/data/",
                            "",
                            1,
                            0,
                            "",
                            1};
    EXPECT_EQ(fields(read_settings(screen_size{1600, 1000}, "/opt/hoplot/data/")),
              fields(expected));
    for (const char* line :
         {"[1.4]", "Main Window Width=1600", "Output 4=279", "Display Rivers=1", "Display Cities=0",
          "GeoIP Database=", "Home Location=", "Check Positions=1"})
        EXPECT_TRUE(has_line(line)) << line << " in\n" << text();
    // The data directory found at start is not stored: a moved installation still finds its data.
    EXPECT_EQ(text().find("DBPath"), std::string::npos);
}

TEST_F(settings_test, column_default_is_an_unsigned_fifth_of_the_width_beside_the_panel) {
    write("[1.4]\nMain Window Width=100\n");
    EXPECT_EQ(read_settings(screen_size{1600, 1000}, "/d/").output[0],
              static_cast<std::int32_t>((std::uint32_t(100 - 205)) / 5));
}

TEST_F(settings_test, values_that_are_not_32_bit_numbers_are_replaced_by_defaults) {
    write("[1.4]\nMain Window Width=wide\nMain Window Height=99999999999\nDisplay Rivers=0\n");
    const settings values = read_settings(screen_size{800, 600}, "/d/");
    EXPECT_EQ(values.main_window_width, 800);
    EXPECT_EQ(values.main_window_height, 600);
    EXPECT_EQ(values.display_rivers, 0);
    EXPECT_TRUE(has_line("Main Window Width=800"));
}

// A path edited by hand is read as written and survives the defaults stored at start and the
// values written at exit byte for byte, whatever it holds.
TEST_F(settings_test, an_address_family_other_than_4_or_6_is_the_system_s_choice) {
    for (const auto& [written, read] :
         {std::pair{"4", 4}, {"6", 6}, {"0", 0}, {"5", 0}, {"x", 0}}) {
        write(std::string("[1.4]\nAddress Family=") + written + "\n");
        EXPECT_EQ(read_settings(screen_size{800, 600}, "/d/").address_family, read) << written;
    }
}

TEST_F(settings_test, a_hand_edited_value_is_read_and_kept_as_written) {
    for (const std::string dir :
         {"/data/d,x/", "/data/semi;colon/", "/data/back\\slash/", "/d/a=b #c \"q\" 'sp ace'/"}) {
        write("[1.4]\r\nDBPath=" + dir + "\r\n; a comment\nGeoIP Database = " + dir + "g.mmdb\n");
        const settings values = read_settings(screen_size{800, 600}, "/d/");
        EXPECT_EQ(values.db_path, dir);
        EXPECT_EQ(values.geoip_database, dir + "g.mmdb");
        write_settings(values);
        EXPECT_TRUE(has_line("DBPath=" + dir)) << text();
        EXPECT_EQ(read_settings(screen_size{800, 600}, "/d/").db_path, dir);
    }
}

// Files written by QSettings' own format, names with "%20", still read; they are written back
// with plain blanks.
TEST_F(settings_test, a_file_in_the_former_format_reads) {
    write("[1.4]\nDBPath=/home/me/hoplot-data\nDisplay%20Rivers=0\nGeoIP%20Database=\n"
          "Main%20Window%20Height=700\nMain%20Window%20Width=1234\nOutput%200=10\n");
    const settings values = read_settings(screen_size{800, 600}, "/d/");
    EXPECT_EQ(values.db_path, "/home/me/hoplot-data/");
    EXPECT_EQ(values.display_rivers, 0);
    EXPECT_EQ(values.main_window_width, 1234);
    EXPECT_EQ(values.main_window_height, 700);
    EXPECT_EQ(values.output[0], 10);
    EXPECT_EQ(values.output[1], (1234 - 205) / 5);
    EXPECT_TRUE(has_line("Main Window Width=1234"));
    EXPECT_EQ(text().find('%'), std::string::npos) << text();
}

// Names a user added by hand are written back so that they read as they were read.
TEST(settings_format, every_name_is_written_back_to_read_the_same) {
    const auto read = [](QByteArray text) {
        QBuffer file(&text);
        file.open(QIODevice::ReadOnly);
        QSettings::SettingsMap values;
        read_settings_file(file, values);
        return values;
    };
    const QSettings::SettingsMap values =
        read("%3Bnot a comment=1\n%25 and %3D=2\n%20blank ends%20=3\nGeneral/x=4\n"
             "[%5Bnot a group]\n%23=5\n[%20]\ny=6\n");
    ASSERT_EQ(values.size(), 6);
    QByteArray written;
    QBuffer file(&written);
    file.open(QIODevice::WriteOnly);
    ASSERT_TRUE(write_settings_file(file, values));
    EXPECT_EQ(read(written), values) << written.toStdString();
}

TEST_F(settings_test, written_values_read_back) {
    const settings written{1234, 777, {10, 20, 30, 40, 50}, 1,  1, 1, 0,
                           0,    0,   "/somewhere/else/",   "", 0, 6, "-33.87 151.21",
                           1};
    write_settings(written);
    settings expected = written;
    expected.db_path = "/d/";
    EXPECT_EQ(fields(read_settings(screen_size{800, 600}, "/d/")), fields(expected));
    EXPECT_EQ(text().find("DBPath"), std::string::npos);
}

} // namespace
} // namespace hoplot
