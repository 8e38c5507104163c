#include "base/data_dir.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace hoplot {
namespace {

TEST(data_dir, installed_share_directory_wins_over_the_source_tree) {
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin"));
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/hoplot/maps"));
    EXPECT_EQ(find_data_dir_from((prefix.path() + "/bin").toStdString()),
              (QDir(prefix.path()).canonicalPath() + "/share/hoplot/").toStdString());

    // Anywhere else, as in a build tree, the source tree's data directory is used.
    const QString source = qEnvironmentVariable("HOPLOT_TEST_SOURCE_DIR");
    ASSERT_FALSE(source.isEmpty());
    EXPECT_EQ(find_data_dir_from(prefix.path().toStdString()),
              (QDir(source).canonicalPath() + "/data/").toStdString());
}

} // namespace
} // namespace hoplot
