#include "map/ui/update_position_dialog.h"

#include <QAccessible>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

#include "gui/find_widget.h"
#include "support/message_log.h"

namespace hoplot {
namespace {

// The location text of 37.77 North, 122.42 West.
const char* const san_francisco = "   37.77\u00b0 North,   122.42\u00b0 West";

class update_position_dialog_test : public ::testing::Test {
  protected:
    void open(std::optional<std::string> location) {
        update_position_actions actions;
        actions.write = [this](const position_fix& fix) {
            written.push_back(fix);
            return true;
        };
        actions.confirm = [this](const std::string& question) {
            asked.push_back(question);
            return answer;
        };
        actions.beep = [this] { ++beeps; };
        actions.show_selected = [this] { ++shown; };
        hop_rec row;
        row.name = "gw1.example.net";
        row.address = "192.0.2.7";
        row.location = std::move(location);
        const std::vector<CityRecord> cities = {{"San_Francisco", 37.779, -122.419},
                                                {"Accra", 5.5, -0.2},
                                                {"San_Jose", 37.33, -121.89}};
        dialog = std::make_unique<update_position_dialog>(row, cities, actions);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    template <typename widget> widget* named(const QString& name) const {
        return hoplot::named<widget>(*dialog, name);
    }
    void type(const char* field, const char* keys) {
        QLineEdit* edit = named<QLineEdit>(field);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, keys);
    }
    void click(const char* button) {
        QTest::mouseClick(named<QRadioButton>(button), Qt::LeftButton);
    }
    // The widget a caption labels.
    template <typename widget> widget* captioned(const QString& caption) const {
        return qobject_cast<widget*>(named<QLabel>(caption)->buddy());
    }
    // As assistive technology does it: toggled, without a click.
    void toggle(const char* button) {
        QAccessible::queryAccessibleInterface(named<QRadioButton>(button))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
    }
    void press_ok() {
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    }

    std::unique_ptr<update_position_dialog> dialog;
    std::vector<position_fix> written;
    std::vector<std::string> asked;
    bool answer = true;
    int beeps = 0;
    int shown = 0;
};

// How an unresolved hop opens is decided without widgets (position_fix_form_test).
TEST_F(update_position_dialog_test, opens_with_the_halves_of_the_rows_location) {
    open(san_francisco);
    EXPECT_EQ(named<QLineEdit>("IP name")->text(), "gw1.example.net");
    // Heard as what they show, each labelled by its caption.
    for (const auto& [caption, shown] : {std::pair{"Old Latitude : ", "   37.77\u00b0 North"},
                                         {"Old Longitude : ", "   122.42\u00b0 West"}}) {
        QLabel* value = captioned<QLabel>(caption);
        ASSERT_NE(value, nullptr) << caption;
        EXPECT_EQ(heard_name(value), QString::fromUtf8(shown));
        EXPECT_TRUE(heard_captions(value).contains(caption)) << caption;
    }
    EXPECT_EQ(captioned<QLineEdit>("New Latitude : ")->text(), "37.77");
    EXPECT_EQ(captioned<QLineEdit>("New Longitude : ")->text(), "122.42");
    EXPECT_TRUE(named<QRadioButton>("North")->isChecked());
    EXPECT_TRUE(named<QRadioButton>("West")->isChecked());
    EXPECT_TRUE(named<QRadioButton>("Latitude and Longitude")->isChecked());
    EXPECT_FALSE(named<QListWidget>("Cities")->isEnabled());
    EXPECT_FALSE(dialog->modified());
}

TEST_F(update_position_dialog_test, refused_keystrokes_beep_and_leave_nothing_behind) {
    const struct {
        const char* field;
        const char* keys;
        const char* text;
        int beeps;
    } rows[] = {
        {"New Latitude", "-5", "5", 1},    {"New Latitude", "1.2.3", "1.23", 1},
        {"New Latitude", "91", "9", 1},    {"New Latitude", "90", "90", 0},
        {"New Longitude", "181", "18", 1}, {"New Longitude", "180", "180", 0},
    };
    open(san_francisco);
    for (const auto& r : rows) {
        beeps = 0;
        type(r.field, r.keys);
        EXPECT_EQ(named<QLineEdit>(r.field)->text().toStdString(), r.text) << r.keys;
        EXPECT_EQ(beeps, r.beeps) << r.keys;
    }
}

TEST_F(update_position_dialog_test, ok_stores_nothing_until_something_changed) {
    open(san_francisco);
    press_ok();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(asked.empty() && written.empty());

    open(san_francisco);
    click("South");
    press_ok();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(asked, std::vector<std::string>{"Are you sure you want to set gw1.example.net to "
                                              "37.77\u00b0 South 122.42\u00b0 West?"});
    EXPECT_EQ(written[0].latitude_word, "South");
    EXPECT_EQ(written[0].address, "192.0.2.7");
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(update_position_dialog_test, no_keeps_the_dialog_as_it_was) {
    open(san_francisco);
    type("New Latitude", "40.5");
    answer = false;
    press_ok();
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_TRUE(written.empty());
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(named<QLineEdit>("New Latitude")->text(), "40.5");
}

// An emptied field would write a line that never reads back.
TEST_F(update_position_dialog_test, an_emptied_field_is_named_and_nothing_is_stored) {
    test::message_log log;
    open(san_francisco);
    type("New Longitude", "");
    press_ok();
    EXPECT_EQ(log.messages,
              std::vector<std::string>{"Please enter the new longitude (0 to 180 degrees)."});
    EXPECT_TRUE(asked.empty() && written.empty());
    EXPECT_TRUE(dialog->isVisible());
}

// Chosen by keyboard or assistive technology as well as by mouse.
TEST_F(update_position_dialog_test, a_city_is_chosen_from_the_keyboard_and_its_position_cut) {
    test::message_log log;
    open("Unresolved");
    toggle("City Location");
    QListWidget* list = named<QListWidget>("Cities");
    ASSERT_TRUE(list->isEnabled());
    EXPECT_FALSE(named<QLineEdit>("New Latitude")->isEnabled());
    press_ok();
    EXPECT_EQ(log.messages, std::vector<std::string>{"Please choose a city from the list."});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(list->item(0)->text(), "Accra") << "sorted by name";

    // Tab or Down from the filter selects the first city it leaves shown.
    for (const auto& [typed, key, first] :
         {std::tuple{"san j", Qt::Key_Tab, "San_Jose"}, {"san f", Qt::Key_Down, "San_Francisco"}}) {
        type("City filter", typed);
        QTest::keyClick(named<QLineEdit>("City filter"), key);
        ASSERT_EQ(list->selectedItems().size(), 1) << typed;
        EXPECT_EQ(list->selectedItems().front()->text(), first);
    }
    press_ok();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].latitude_text, "37.77");
    EXPECT_EQ(written[0].longitude_text, "122.41");
    EXPECT_EQ(asked, std::vector<std::string>{"Are you sure you want to set gw1.example.net to "
                                              "37.77\u00b0 North 122.41\u00b0 West?"});
}

} // namespace
} // namespace hoplot
