#include <gtest/gtest.h>

#include "app/commands.h"
#include "app/menu_state.h"
#include "app/panel_layout.h"

namespace hoplot {
namespace {

program_state idle() {
    program_state state;
    state.history_empty = false;
    return state;
}

// The items a state grays, in table order.
std::string grayed(const program_state& state) {
    std::string names;
    for (const command_entry& entry : command_table())
        if (!menu_state(entry.id, state).enabled) names += std::string(entry.label) + " ";
    return names;
}

TEST(menu_state, each_activity_grays_what_would_disturb_it) {
    program_state tracing = idle(), rotating = idle(), opening = idle(), fresh = idle();
    tracing.busy.tracing = true;
    rotating.busy.rotating = true;
    opening.busy.opening = true;
    fresh.history_empty = true;
    EXPECT_EQ(grayed(idle()), "&Print &Stop Rotation S&top Trace ");
    EXPECT_EQ(grayed(fresh), "&Print &Undo &Stop Rotation S&top Trace ");
    EXPECT_EQ(grayed(tracing), "&New &Open &Save Save &As &Print &Undo &Auto Rotation "
                               "&Stop Rotation &Start Trace &Clear Trace(s) ");
    EXPECT_EQ(grayed(rotating), "&New &Open &Save Save &As &Print &Undo &Reset View "
                                "&Auto Rotation &Cities C&oastlines &Political Boundaries "
                                "&Rivers &Start Trace S&top Trace &Clear Trace(s) ");
    EXPECT_EQ(grayed(opening), "&New &Open &Save Save &As &Print &Undo &Reset View &Flat Map "
                               "&Globe &Auto Rotation &Stop Rotation &Cities C&oastlines "
                               "&Political Boundaries &Rivers &Start Trace S&top Trace "
                               "&Clear Trace(s) ");
}

TEST(menu_state, check_marks_follow_the_mode_and_flags) {
    program_state state = idle();
    state.globe_mode = true;
    state.display_rivers = true;
    state.use_geoip = true;
    std::string checked;
    for (const command_entry& entry : command_table())
        if (menu_state(entry.id, state).checked) checked += std::string(entry.label) + " ";
    EXPECT_EQ(checked, "&Globe &Rivers Use &GeoIP Database ");
    state.globe_mode = false;
    EXPECT_TRUE(menu_state(command_id::flat_map, state).checked);
}

TEST(commands, guards_refuse_in_their_order) {
    const busy_state everything{true, true, true};
    const busy_state rotating_and_opening{false, true, true};
    const busy_state opening{false, false, true};
    EXPECT_EQ(refusal(command(command_id::undo), everything), "Trace currently running");
    EXPECT_EQ(refusal(command(command_id::start_trace), rotating_and_opening),
              "Map is still begin rotated");
    EXPECT_EQ(refusal(command(command_id::globe), everything), "Opening a file");
    EXPECT_EQ(refusal(command(command_id::flat_map), opening), "Opening a file");
    EXPECT_FALSE(refusal(command(command_id::flat_map), {true, true, false}));
    EXPECT_FALSE(refusal(command(command_id::new_file), everything));
}

// What a refused stop says is heard in the window's toolbar test.
TEST(commands, stop_takes_the_trace_then_the_rotation_then_refuses) {
    EXPECT_EQ(choose_stop({true, true, true}), stop_choice::stop_trace);
    EXPECT_EQ(choose_stop({false, true, true}), stop_choice::stop_rotation);
    EXPECT_EQ(choose_stop({false, false, true}), stop_choice::refuse);
}

TEST(panel_layout, scrolls_in_five_steps_up_to_its_content_height) {
    EXPECT_EQ(panel_scroll_step(480), 50);
    EXPECT_EQ(panel_scroll_step(679), 0);
    EXPECT_EQ(panel_scroll_step(900), 0);
}

} // namespace
} // namespace hoplot
