#include "trace/ui/file_commands.h"

#include <deque>
#include <gtest/gtest.h>

#include "geolocation/scratch_dir.h"
#include "support/message_log.h"
#include "trace/store_recorder.h"
#include "trace/trace_file.h"

namespace hoplot {
namespace {

using strings = std::vector<std::string>;
using path = std::optional<std::string>;

// Answers from a script and notes what was asked.
struct scripted_questions : file_questions {
    std::deque<path> paths; // for the open and save dialogs, in turn
    std::deque<save_answer> answers;
    strings asked;

    path open_path() override { return next("open"); }
    path save_path() override { return next("save as"); }
    save_answer save_traces() override {
        asked.push_back("Save trace(s)?");
        const save_answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    path next(const std::string& dialog) {
        asked.push_back(dialog);
        const path chosen = paths.front();
        paths.pop_front();
        return chosen;
    }
};

struct file_commands_test : testing::store_test, test::message_log {
    scratch_dir dir;
    trace_document document;
    strings openings;
    std::string caption = "Hoplot";
    scripted_questions& ask = *new scripted_questions;
    file_commands commands{store,
                           document,
                           nullptr,
                           [this] { caption = window_caption(document); },
                           [this](bool opening) { openings.push_back(opening ? "on" : "off"); },
                           std::unique_ptr<file_questions>(&ask)};
    std::string other = dir.write("other.trc", "1 other.example 1 0 r 192.0.2.7 1ms ");

    void add_unsaved(const std::string& name) {
        add_trace(name, testing::hops_at({"192.0.2.1"}));
        store.set_traces_saved(false);
    }
    strings names() const {
        strings all;
        for (const trace_entry& trace : store.traces())
            all.push_back(trace.name);
        return all;
    }
};

TEST_F(file_commands_test, open_shows_the_file_s_first_trace_and_asks_nothing_when_all_is_saved) {
    ask.paths = {other};
    commands.open();
    EXPECT_EQ(ask.asked, strings{"open"});
    EXPECT_EQ(names(), strings{"other.example"});
    EXPECT_EQ(store.current_trace(), 0u);
    EXPECT_EQ(caption, "Hoplot - other.trc");
    EXPECT_TRUE(store.traces_saved());
    EXPECT_EQ(openings, (strings{"on", "off"}));
}

TEST_F(file_commands_test, open_keeps_unsaved_traces_unless_they_were_saved_or_given_up) {
    const struct {
        save_answer answer;
        std::deque<path> paths; // the file to open, then Save As's choice
        strings shown;
        strings messages;
    } cases[] = {
        {save_answer::cancel, {other}, {"mine"}, {}},
        {save_answer::yes, {other, std::nullopt}, {"mine"}, {}},
        {save_answer::yes,
         {other, dir.path() + "missing/x.trc"},
         {"mine"},
         {"Can't write to file x.trc"}},
        {save_answer::no, {other}, {"other.example"}, {}},
        {save_answer::yes, {other, dir.path() + "mine.trc"}, {"other.example"}, {}},
    };
    for (const auto& c : cases) {
        store.clear_traces();
        document = {};
        messages.clear();
        add_unsaved("mine");
        ask.answers = {c.answer};
        ask.paths = c.paths;
        commands.open();
        EXPECT_EQ(names(), c.shown) << c.paths.size();
        EXPECT_EQ(messages, c.messages);
        EXPECT_TRUE(ask.paths.empty());
    }
    EXPECT_EQ(read_text_file(dir.path() + "mine.trc").substr(0, 7), "1 mine ");
}

// Nothing is replaced before the file is read: the traces held and the current file stay.
TEST_F(file_commands_test, a_file_that_cannot_be_read_keeps_the_traces_and_the_file) {
    ask.paths = {other, dir.write("bad.trc", "2 broken ")};
    EXPECT_TRUE(commands.open());
    add_unsaved("mine");
    ask.answers = {save_answer::no};
    EXPECT_FALSE(commands.open());
    EXPECT_EQ(messages, strings{"Can't read file bad.trc"});
    EXPECT_EQ(names(), (strings{"other.example", "mine"}));
    EXPECT_EQ(caption, "Hoplot - other.trc");

    EXPECT_TRUE(commands.save());
    EXPECT_EQ(ask.asked, (strings{"open", "open", "Save trace(s)?"}));
    EXPECT_EQ(read_text_file(dir.path() + "bad.trc"), "2 broken ");
    EXPECT_EQ(read_text_file(other).substr(0, 2), "2 ");
}

TEST_F(file_commands_test, new_and_quitting_ask_only_while_a_trace_is_unsaved) {
    add_unsaved("a");
    ask.answers = {save_answer::cancel, save_answer::no};
    EXPECT_FALSE(commands.new_traces());
    EXPECT_EQ(store.trace_count(), 1);
    EXPECT_TRUE(commands.new_traces());
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(caption, "Hoplot");

    EXPECT_TRUE(commands.may_discard_traces()) << "unsaved, but nothing left to save";
    EXPECT_EQ(ask.asked.size(), 2u);
}

TEST_F(file_commands_test, save_writes_the_current_file_or_asks_for_one) {
    add_unsaved("a");
    ask.paths = {dir.path() + "first.trc"};
    EXPECT_TRUE(commands.save());
    EXPECT_EQ(caption, "Hoplot - first.trc");
    EXPECT_TRUE(store.traces_saved());

    add_unsaved("b");
    EXPECT_TRUE(commands.save());
    EXPECT_EQ(ask.asked, strings{"save as"});
    EXPECT_EQ(read_text_file(dir.path() + "first.trc").substr(0, 2), "2 ");
}

} // namespace
} // namespace hoplot
