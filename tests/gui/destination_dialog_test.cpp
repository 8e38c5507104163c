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

// What was typed is traced as typed, never completed from the history nor matched to an item.
TEST(destination_dialog, traces_what_was_typed_and_offers_given_ones_again_newest_first) {
    destination_history history;
    const struct {
        const char* typed;
        QDialogButtonBox::StandardButton button;
        std::optional<std::string> traced;
    } steps[] = {
        {"https://www.example.org/index.html", QDialogButtonBox::Ok, "www.example.org"},
        {"127.0.0.10", QDialogButtonBox::Ok, "127.0.0.10"},
        {"127.0.0.1", QDialogButtonBox::Ok, "127.0.0.1"},
        {"WWW.example.org", QDialogButtonBox::Ok, "WWW.example.org"},
        {"  two words  ", QDialogButtonBox::Ok, "two words"},
        {"cancelled.example", QDialogButtonBox::Cancel, std::nullopt},
        {"", QDialogButtonBox::Ok, std::nullopt},
    };
    for (const auto& step : steps)
        EXPECT_EQ(answer(history, step.typed, step.button), step.traced) << step.typed;

    destination_dialog dialog(history);
    QStringList offered;
    for (int i = 0; i < dialog.combo()->count(); ++i)
        offered << dialog.combo()->itemText(i);
    EXPECT_EQ(offered, (QStringList{"two", "WWW.example.org", "127.0.0.1", "127.0.0.10",
                                    "www.example.org"}));
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
