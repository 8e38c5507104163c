#include "trace/ui/destination_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace hoplot {
namespace {

// Types into a fresh dialog, which must start empty, and presses a button; Enter for OK.
std::optional<std::string> answer(destination_history& history, const QString& typed,
                                  QDialogButtonBox::StandardButton button) {
    destination_dialog dialog(history);
    dialog.show();
    EXPECT_TRUE(dialog.combo()->currentText().isEmpty());
    QTest::keyClicks(dialog.combo(), typed);
    if (button == QDialogButtonBox::Ok)
        QTest::keyClick(dialog.combo(), Qt::Key_Return);
    else
        dialog.findChild<QDialogButtonBox*>()->button(button)->click();
    EXPECT_FALSE(dialog.isVisible());
    return dialog.destination();
}

TEST(destination_dialog, traces_a_web_address_s_host_and_offers_given_ones_again_newest_first) {
    destination_history history;
    EXPECT_EQ(answer(history, "https://www.example.org/index.html", QDialogButtonBox::Ok),
              "www.example.org");
    EXPECT_EQ(answer(history, "two words", QDialogButtonBox::Ok), "two words");
    EXPECT_EQ(answer(history, "cancelled.example", QDialogButtonBox::Cancel), std::nullopt);
    EXPECT_EQ(answer(history, "", QDialogButtonBox::Ok), std::nullopt);

    destination_dialog dialog(history);
    QStringList offered;
    for (int i = 0; i < dialog.combo()->count(); ++i)
        offered << dialog.combo()->itemText(i);
    EXPECT_EQ(offered, (QStringList{"two", "www.example.org"}));
}

TEST(destination_dialog, the_family_is_chosen_by_keyboard) {
    destination_history history;
    destination_dialog dialog(history);
    dialog.show();
    EXPECT_EQ(dialog.family(), address_family::automatic);
    const struct {
        const char* button;
        address_family chosen;
    } cases[] = {{"IPv&6", address_family::ipv6},
                 {"IPv&4", address_family::ipv4},
                 {"&Automatic", address_family::automatic}};
    for (const auto& c : cases) {
        QRadioButton* button = nullptr;
        for (auto* each : dialog.findChildren<QRadioButton*>())
            if (each->text() == c.button) button = each;
        ASSERT_NE(button, nullptr) << c.button;
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        EXPECT_EQ(dialog.family(), c.chosen) << c.button;
    }
    dialog.set_family(address_family::ipv6);
    EXPECT_EQ(dialog.family(), address_family::ipv6);
}

} // namespace
} // namespace hoplot
