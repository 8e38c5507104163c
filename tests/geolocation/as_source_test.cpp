#include "geolocation/as_source.h"

#include "geo_test.h"

namespace hoplot {
namespace {

struct as_source_test : geo_test {
    std::string convert(const std::string& csv4, const std::string& out) {
        return convert_as_files(data.write("asn4.csv", csv4), data.write("asn6.csv", ""), out);
    }
};

TEST_F(as_source_test, a_bad_line_or_an_unwritable_place_is_said_and_leaves_no_file) {
    const std::string path = data.path() + "table.bin";
    EXPECT_EQ(convert("1,2,3,a\nnonsense\n", path),
              data.path() + "asn4.csv:2: not a line of first address, last address, AS number "
                            "and name");
    EXPECT_EQ(convert("1,2,3,a\n", data.write("file", "") + "/table.bin"),
              "Can't write to file " + data.path() + "file/table.bin");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(convert_as_files(data.path() + "none.csv", data.path() + "none.csv", path),
              "Can't read file " + data.path() + "none.csv");
}

// The process-wide source: the data directory's table, looked up by address text, or a notice
// of why there is none; a table that cannot be read is reported once.
TEST_F(as_source_test, the_source_opens_the_data_directorys_table_or_says_why_not) {
    open_as_source(data.path());
    EXPECT_FALSE(as_lookup("10.0.0.1"));
    EXPECT_NE(as_source_notice().find("hoplot-fetch-data"), std::string::npos);
    EXPECT_TRUE(messages.empty()) << "a missing table is no error";

    const std::string path = data.write(as_table_file, "not a table");
    open_as_source(data.path());
    open_as_source(data.path());
    EXPECT_EQ(messages, std::vector<std::string>{"Can't open AS database " + path});
    EXPECT_EQ(as_source_notice(), messages.front());

    ASSERT_EQ(convert("167772160,184549375,64501,Ten\n", path), "");
    open_as_source(data.path());
    EXPECT_EQ(as_lookup("10.0.0.1"), (as_network{64501, "Ten"}));
    EXPECT_FALSE(as_lookup("11.0.0.0"));
    EXPECT_FALSE(as_lookup("not.an.address"));
    EXPECT_EQ(as_source_notice(), "");
}

} // namespace
} // namespace hoplot
