#include "app/ui/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "base/settings.h"
#include "gui/find_widget.h"
#include "support/message_log.h"

namespace hoplot {
namespace {

QString label_text(const QDialog& dialog, const char* name) {
    return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// Shown, and heard by assistive technology as shown.
TEST(about_dialog, shows_version_address_and_every_data_attribution) {
    about_dialog dialog("/opt/hoplot-data/");
    EXPECT_EQ(label_text(dialog, "version"), "Version 1.4.7");
    const auto heard = [&](const char* label) {
        return heard_name(dialog.findChild<QLabel*>(QString::fromLatin1(label)));
    };
    EXPECT_EQ(heard("support_address"), label_text(dialog, "support_address"));
    EXPECT_TRUE(heard("support_address").contains('@'));
    for (const char* source :
         {"GSHHG", "GNU Lesser General Public License", "GeoNames", "IP Geolocation by DB-IP",
          "RouteViews", "NRO", "Creative Commons Attribution 4.0"})
        EXPECT_TRUE(heard("attributions").contains(QString::fromLatin1(source))) << source;
}

// The home page is the help's contents; the dialog closes whether or not a browser started.
TEST(about_dialog, visit_opens_the_home_page_then_closes_telling_of_a_failure) {
    for (const bool opened : {true, false}) {
        SCOPED_TRACE(opened);
        test::message_log log;
        QUrl asked;
        about_dialog dialog("/opt/hoplot-data/", nullptr, [&](const QUrl& url) {
            asked = url;
            return opened;
        });
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("visit")), Qt::LeftButton);
        EXPECT_EQ(asked, QUrl("file:///opt/hoplot-data/help/index.html"));
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(log.messages,
                  opened ? std::vector<std::string>{}
                         : std::vector<std::string>{"No web browser to load help. See readme.txt"});
    }
}

} // namespace
} // namespace hoplot
