#include "shell/data_dir.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace hoplot {
namespace {

TEST(data_dir, installed_share_directory_wins_over_the_source_tree) {
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin"));
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/hoplot/maps"));
    const std::string found = find_data_dir_from((prefix.path() + "/bin").toStdString());
    EXPECT_EQ(found, (QDir(prefix.path()).canonicalPath() + "/share/hoplot/").toStdString());
}

TEST(data_dir, build_tree_falls_back_to_the_source_data_directory) {
    QTemporaryDir build;
    const std::string found = find_data_dir_from(build.path().toStdString());
    const QString source = qEnvironmentVariable("HOPLOT_TEST_SOURCE_DIR");
    ASSERT_FALSE(source.isEmpty());
    EXPECT_EQ(found, (QDir(source).canonicalPath() + "/data/").toStdString());
    EXPECT_EQ(found.back(), '/');
}

} // namespace
} // namespace hoplot
