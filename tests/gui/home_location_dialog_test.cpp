#include "map/ui/home_location_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/ui/main_window.h"
#include "base/settings.h"
#include "gui/answer_next.h"
#include "gui/find_widget.h"

namespace hoplot {
namespace {

const std::vector<CityRecord> cities = {{"Paris", 48.8566, 2.3522}, {"Sydney", -33.8688, 151.2093}};

QPushButton* button(QDialog& dialog, const QString& text) {
    if (text == "OK") return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    return named<QPushButton>(dialog, text);
}

// The coordinate and city choices are the position dialog's (update_position_dialog_test).
TEST(home_location_dialog, sets_the_home_by_coordinates_or_city_and_clears_it) {
    home_location_dialog unset(std::nullopt, cities, [] {});
    EXPECT_NE(named<QLabel>(unset, "Not set"), nullptr);
    EXPECT_FALSE(button(unset, "C&lear")->isEnabled());
    // Left as it opened, OK keeps what there was.
    button(unset, "OK")->click();
    EXPECT_EQ(unset.result(), QDialog::Rejected);

    home_location_dialog by_city(std::nullopt, cities, [] {});
    named<QRadioButton>(by_city, "City Location")->click();
    named<QListWidget>(by_city, "Cities")->setCurrentRow(1);
    button(by_city, "OK")->click();
    EXPECT_EQ(by_city.result(), QDialog::Accepted);
    EXPECT_EQ(by_city.home(), (coordinates{-33.86, 151.2}));

    home_location_dialog typed(coordinates{48.85, 2.35}, cities, [] {});
    EXPECT_EQ(named<QLineEdit>(typed, "New Latitude")->text(), "48.85");
    QTest::keyClicks(named<QLineEdit>(typed, "New Latitude"), "1");
    named<QRadioButton>(typed, "South")->click();
    button(typed, "OK")->click();
    EXPECT_EQ(typed.home(), (coordinates{-48.851, 2.35}));

    home_location_dialog cleared(coordinates{48.85, 2.35}, cities, [] {});
    button(cleared, "C&lear")->click();
    EXPECT_EQ(cleared.result(), QDialog::Accepted);
    EXPECT_FALSE(cleared.home());
}

// The window starts with the home of the settings, and the command sets it there.
TEST(home_location_dialog, the_window_marks_and_keeps_the_home) {
    settings values;
    values.home_location = "48.85 2.35";
    main_window window(values);
    EXPECT_EQ(window.store().home(), (coordinates{48.85, 2.35}));
    EXPECT_EQ(window.view().home, to_map_units(coordinates{48.85, 2.35}));

    answer_next<home_location_dialog>(
        [](home_location_dialog& dialog) { named<QPushButton>(dialog, "C&lear")->click(); });
    window.run_command(command_id::set_home_location);
    EXPECT_FALSE(window.store().home());
    EXPECT_FALSE(window.view().home);
    EXPECT_EQ(window.current_settings().home_location, "");
}

} // namespace
} // namespace hoplot
