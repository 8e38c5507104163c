#include "trace/ui/file_commands.h"

#include <deque>
#include <gtest/gtest.h>

#include "geolocation/scratch_dir.h"
#include "shell/show_message.h"
#include "trace/store_recorder.h"
#include "trace/trace_file.h"

namespace hoplot {
namespace {

using strings = std::vector<std::string>;

// Answers from a script, and notes every question.
struct scripted_questions : file_questions {
    std::deque<std::optional<std::string>> paths;
    std::deque<save_answer> answers;
    strings& asked;

    explicit scripted_questions(strings& log) : asked(log) {}
    std::optional<std::string> open_path() override { return next_path("open dialog"); }
    std::optional<std::string> save_path() override { return next_path("save dialog"); }
    save_answer save_traces() override {
        asked.push_back("Save trace(s)?");
        const save_answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

  private:
    std::optional<std::string> next_path(const std::string& question) {
        asked.push_back(question);
        auto path = paths.front();
        paths.pop_front();
        return path;
    }
};

struct file_commands_test : testing::store_test {
    scratch_dir dir;
    trace_document document;
    strings asked, messages, openings;
    std::string caption = "Hoplot";
    scripted_questions* questions = new scripted_questions(asked);
    file_commands commands{store,
                           document,
                           nullptr,
                           [this] { caption = window_caption(document); },
                           [this](bool opening) { openings.push_back(opening ? "on" : "off"); },
                           std::unique_ptr<file_questions>(questions)};
    message_handler old_handler =
        set_message_handler([this](const std::string& m) { messages.push_back(m); });

    ~file_commands_test() override { set_message_handler(old_handler); }

    void add_unsaved(const std::string& name) {
        add_trace(name, testing::hops_at({"192.0.2.1"}));
        store.set_traces_saved(false);
    }
    std::string saved_file(const std::string& file, const std::string& name) {
        trace_store other;
        other.begin_trace(name);
        other.add_hop(testing::hop("r", "192.0.2.7"), resolution{}, false);
        other.end_trace();
        const std::string path = dir.path() + file;
        EXPECT_TRUE(write_trace_file(other, path));
        return path;
    }
    strings names() const {
        strings all;
        for (const trace_entry& trace : store.traces())
            all.push_back(trace.name);
        return all;
    }
};

TEST_F(file_commands_test, open_reads_the_chosen_file_and_shows_its_first_trace) {
    questions->paths = {saved_file("two.trc", "far.example")};
    commands.open();
    EXPECT_EQ(asked, strings{"open dialog"}) << "nothing unsaved, nothing asked";
    EXPECT_EQ(names(), strings{"far.example"});
    EXPECT_EQ(caption, "Hoplot - two.trc");
    EXPECT_TRUE(store.traces_saved());
    EXPECT_EQ(seen.only({"list select"}), strings{"list select 0"});
    EXPECT_EQ(store.current_trace(), 0u);
    EXPECT_EQ(openings, (strings{"on", "off"}));
}

TEST_F(file_commands_test,
       open_asks_about_unsaved_traces_and_keeps_them_unless_they_are_dealt_with) {
    const std::string other = saved_file("other.trc", "other.example");
    const struct {
        const char* what;
        std::deque<save_answer> answers;
        std::deque<std::optional<std::string>> paths; // the file to open, then Save As's
        strings shown;                                // the traces afterwards
        strings messages;
    } cases[] = {
        {"cancel", {save_answer::cancel}, {other}, {"mine.example"}, {}},
        {"yes, save as cancelled", {save_answer::yes}, {other, std::nullopt}, {"mine.example"}, {}},
        {"yes, save failed",
         {save_answer::yes},
         {other, dir.path() + "missing/x.trc"},
         {"mine.example"},
         {"Can't write to file x.trc"}},
        {"no", {save_answer::no}, {other}, {"other.example"}, {}},
        {"yes, saved", {save_answer::yes}, {other, dir.path() + "mine.trc"}, {"other.example"}, {}},
    };
    for (const auto& c : cases) {
        store.clear_traces();
        document = {};
        messages.clear();
        add_unsaved("mine.example");
        questions->answers = c.answers;
        questions->paths = c.paths;
        commands.open();
        EXPECT_EQ(names(), c.shown) << c.what;
        EXPECT_EQ(messages, c.messages) << c.what;
        EXPECT_TRUE(questions->answers.empty() && questions->paths.empty()) << c.what;
    }
    trace_store reread;
    ASSERT_TRUE(read_trace_file(reread, dir.path() + "mine.trc"));
    EXPECT_EQ(reread.traces()[0].name, "mine.example");
}

TEST_F(file_commands_test, a_file_that_cannot_be_read_is_not_the_current_file_afterwards) {
    questions->paths = {saved_file("good.trc", "good.example")};
    commands.open();
    questions->paths = {dir.write("bad.trc", "2 broken ")};
    commands.open();
    EXPECT_EQ(messages, strings{"Can't read file bad.trc"});
    EXPECT_EQ(caption, "Hoplot");
    EXPECT_EQ(store.trace_count(), 0);

    asked.clear();
    add_unsaved("new.example");
    questions->paths = {std::nullopt};
    EXPECT_FALSE(commands.save());
    EXPECT_EQ(asked, strings{"save dialog"}) << "Save must not write over bad.trc";
    EXPECT_EQ(read_text_file(dir.path() + "bad.trc"), "2 broken ");
}

TEST_F(file_commands_test, new_asks_only_when_a_trace_is_unsaved) {
    add_unsaved("a.example");
    questions->answers = {save_answer::cancel};
    EXPECT_FALSE(commands.new_traces());
    EXPECT_EQ(store.trace_count(), 1);

    questions->answers = {save_answer::no};
    EXPECT_TRUE(commands.new_traces());
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(caption, "Hoplot");
    EXPECT_FALSE(store.traces_saved());

    asked.clear();
    EXPECT_TRUE(commands.new_traces()) << "nothing left to save";
    EXPECT_TRUE(commands.may_discard_traces());
    EXPECT_TRUE(asked.empty());
}

TEST_F(file_commands_test, save_writes_the_current_file_or_asks_for_one) {
    add_unsaved("a.example");
    questions->paths = {std::nullopt};
    EXPECT_FALSE(commands.save());
    EXPECT_FALSE(store.traces_saved());

    questions->paths = {dir.path() + "first.trc"};
    EXPECT_TRUE(commands.save());
    EXPECT_EQ(caption, "Hoplot - first.trc");
    EXPECT_TRUE(store.traces_saved());

    asked.clear();
    add_unsaved("b.example");
    EXPECT_TRUE(commands.save());
    EXPECT_TRUE(asked.empty());
    trace_store reread;
    ASSERT_TRUE(read_trace_file(reread, dir.path() + "first.trc"));
    EXPECT_EQ(reread.trace_count(), 2);

    questions->paths = {dir.path() + "missing/second.trc"};
    EXPECT_FALSE(commands.save_as());
    EXPECT_EQ(messages, strings{"Can't write to file second.trc"});
    EXPECT_EQ(caption, "Hoplot - first.trc");
}

} // namespace
} // namespace hoplot
