#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "shell/show_message.h"
#include "trace/store_recorder.h"
#include "trace/trace_document.h"
#include "trace/trace_file.h"

namespace hoplot {
namespace {

using testing::fake_places;
using testing::hop;
using testing::store_recorder;
namespace fs = std::filesystem;

// The rows of a store without their locations, which files do not keep.
std::vector<std::string> rows_of(const trace_store& store) {
    std::vector<std::string> rows;
    for (const trace_entry& trace : store.traces()) {
        rows.push_back("trace " + trace.name);
        for (const hop_rec& row : trace.rows) {
            rows.push_back(std::to_string(row.colour) + "|" + row.name + "|" + row.address + "|" +
                           row.time);
        }
    }
    return rows;
}

struct trace_files : ::testing::Test {
    fake_places places;
    trace_store store{places.resolver()};
    fs::path dir = fs::temp_directory_path() /
                   ("hoplot-trace-files-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::vector<std::string> messages;
    message_handler old_handler;

    trace_files() {
        fs::create_directories(dir);
        old_handler = set_message_handler([this](const std::string& m) { messages.push_back(m); });
    }
    ~trace_files() override {
        set_message_handler(old_handler);
        fs::remove_all(dir);
    }

    std::string file(const std::string& name, const std::string& text) const {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    void add_trace(trace_store& into, const std::string& name, const std::vector<hop_rec>& rows) {
        into.begin_trace(name);
        for (const hop_rec& row : rows) {
            if (row.is_status()) {
                into.add_status_row(row.name, row.colour);
            } else {
                into.add_hop(row, true);
            }
        }
        into.end_trace();
    }
};

TEST_F(trace_files, the_example_trace_is_written_and_read_as_documented) {
    add_trace(store, "10.1.2.3",
              {hop("192.0.2.1", "192.0.2.1", 1), make_status_row(timed_out_text, red),
               hop("10.1.2.3", "10.1.2.3", 23), make_status_row(done_text, blue)});
    const std::string text = "1 10.1.2.3 4 0 192.0.2.1 192.0.2.1    1ms 255 Timed out. "
                             "Retrying...  0 10.1.2.3 10.1.2.3   23ms 16711680 Done ";
    EXPECT_EQ(trace_file_text(store), text);

    trace_store read{places.resolver()};
    ASSERT_TRUE(read_trace_file(read, file("example.trc", text)));
    EXPECT_EQ(rows_of(read),
              (std::vector<std::string>{"trace 10.1.2.3", "0|192.0.2.1|192.0.2.1|1ms",
                                        "255|Timed out. Retrying... | | ",
                                        "0|10.1.2.3|10.1.2.3|23ms", "16711680|Done| | "}));
    EXPECT_TRUE(read.traces()[0].rows[1].is_status());
}

TEST_F(trace_files, two_traces_read_back_with_the_same_rows_and_fresh_locations) {
    places.positions["192.0.2.1"] = {1, 1};
    add_trace(store, "a.example", {hop("r1", "192.0.2.1"), hop("dest", "198.51.100.7", 40)});
    add_trace(store, "b.example",
              {hop("r2", "192.0.2.2", 12), make_status_row(timed_out_text, red),
               hop("b.example", "203.0.113.9", 300), make_status_row(done_text, blue)});
    const std::string path = (dir / "two.trc").string();
    ASSERT_TRUE(write_trace_file(store, path));

    // Positions changed since the traces were made: reading places every hop anew.
    places.positions = {{"198.51.100.7", {5, 5}}};
    trace_store read{places.resolver()};
    store_recorder seen;
    read.set_observer(&seen);
    trace_document document;
    ASSERT_TRUE(open_traces(read, document, path));

    // Times lose their leading blanks on the way, as they always did.
    const std::vector<std::string> expected = {"trace a.example",
                                               "0|r1|192.0.2.1|1ms",
                                               "0|dest|198.51.100.7|40ms",
                                               "trace b.example",
                                               "0|r2|192.0.2.2|12ms",
                                               "255|Timed out. Retrying... | | ",
                                               "0|b.example|203.0.113.9|300ms",
                                               "16711680|Done| | "};
    EXPECT_EQ(rows_of(read), expected);
    EXPECT_EQ(read.traces()[0].rows[0].location, unresolved_text);
    EXPECT_EQ(read.traces()[0].rows[1].location, "at 198.51.100.7");
    EXPECT_EQ(read.current_trace(), 0u);
    EXPECT_TRUE(read.traces_saved());
    EXPECT_EQ(document.title, "two.trc");
    EXPECT_EQ(window_caption(document), "Hoplot - two.trc");
    EXPECT_EQ(seen.only({"list"}),
              (std::vector<std::string>{"list cleared", "list append a.example",
                                        "list append b.example", "list select 0"}));
    EXPECT_EQ(seen.only({"dot", "label", "line"}).size(), 3u);
    for (const std::string& e : seen.only({"dot", "label", "line"})) {
        EXPECT_NE(e.find(" image"), std::string::npos) << "reading draws into the image only";
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(trace_files, awkward_names_read_back_token_for_token) {
    const std::vector<std::string> names = {
        "two words",   "tab\there", "line\nbreak",  "100%",
        "%41",         "Timed",     "Done-ish",     std::string("nul\0byte", 8),
        "caf\xC3\xA9", "trailing ", "\x01\x7F\xFF", std::string(max_trace_text_length, '\x80'),
    };
    for (const std::string& name : names) {
        add_trace(store, name,
                  {hop(name, "192.0.2.1"), hop("x", name), make_status_row(done_text, blue)});
    }
    const std::string text = trace_file_text(store);
    for (char c : text) {
        EXPECT_TRUE(c == ' ' || (c > ' ' && c < 0x7F)) << "plain printable ASCII only";
    }
    const auto parsed = parse_trace_text(text);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ((*parsed)[i].name, names[i]);
        EXPECT_EQ((*parsed)[i].rows.at(0).name, names[i]);
        EXPECT_EQ((*parsed)[i].rows.at(1).address, names[i]);
        EXPECT_TRUE((*parsed)[i].rows.at(2).is_status());
    }
}

TEST_F(trace_files, an_empty_file_count_gives_an_empty_store) {
    store_recorder seen;
    store.set_observer(&seen);
    trace_document document;
    ASSERT_TRUE(open_traces(store, document, file("empty.trc", "0 ")));
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(store.current_route(), nullptr);
    EXPECT_TRUE(seen.only({"list select"}).empty());
}

TEST_F(trace_files, malformed_files_are_refused_whole) {
    const std::string hop_row = "0 h 192.0.2.1 1ms ";
    const std::pair<const char*, std::string> cases[] = {
        {"empty file", ""},
        {"count not a number", "one "},
        {"count with a tail", "1x a 1 " + hop_row},
        {"negative count", "-1 "},
        {"fewer traces than counted", "2 a 1 " + hop_row},
        {"huge trace count", "2147483647 a 1 " + hop_row},
        {"count beyond 32 bits", "99999999999 a 1 " + hop_row},
        {"missing row count", "1 a "},
        {"zero rows", "1 a 0 "},
        {"huge row count", "1 a 2147483647 " + hop_row},
        {"truncated hop row", "1 a 1 0 h 192.0.2.1 "},
        {"colour not a number", "1 a 1 red h 192.0.2.1 1ms "},
        {"first row a status row", "1 a 2 16711680 Done " + hop_row},
        {"broken time-out row", "1 a 2 " + hop_row + "255 Timed out. Later "},
        {"truncated time-out row", "1 a 2 " + hop_row + "255 Timed out. "},
        {"hop named like a status line", "1 a 2 " + hop_row + "0 %44one 192.0.2.1 1ms "},
        {"bad escape", "1 a%zz 1 " + hop_row},
        {"escape cut short", "1 a%4 1 " + hop_row},
        {"over-long token", "1 " + std::string(max_trace_token_length + 1, 'n') + " 1 " + hop_row},
        {"over-long name",
         "1 a 1 0 " + std::string(max_trace_text_length + 1, 'n') + " 1.2.3.4 1ms "},
        {"tokens after the last trace", "1 a 1 " + hop_row + "junk "},
        {"binary", std::string("\x00\xff\x01 1 2", 7)},
    };
    for (const auto& [what, text] : cases) {
        EXPECT_FALSE(parse_trace_text(text)) << what;
    }

    // Reading into a store that holds a trace leaves it exactly as it was.
    places.positions["192.0.2.1"] = {1, 1};
    add_trace(store, "kept", {hop("k", "192.0.2.1")});
    const auto before = rows_of(store);
    EXPECT_FALSE(read_trace_file(store, file("bad.trc", "2 a 1 " + hop_row)));
    EXPECT_FALSE(read_trace_file(store, (dir / "missing.trc").string()));
    EXPECT_EQ(rows_of(store), before);
    EXPECT_EQ(store.current_route()->places.size(), 1u);
}

TEST_F(trace_files, opening_a_bad_file_says_so_with_its_title_and_leaves_an_empty_store) {
    add_trace(store, "old", {hop("k", "192.0.2.1")});
    trace_document document;
    EXPECT_FALSE(open_traces(store, document, file("broken.trc", "3 a ")));
    EXPECT_EQ(messages, std::vector<std::string>{"Can't read file broken.trc"});
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(document.title, "broken.trc") << "the chosen file stays current";
}

TEST_F(trace_files, an_oversized_file_is_refused) {
    std::string text = "1 a 1 0 h 192.0.2.1 1ms";
    text.resize(max_trace_file_size + 1, ' ');
    EXPECT_TRUE(parse_trace_text(text)) << "trailing blanks alone are fine";
    EXPECT_FALSE(read_trace_file(store, file("big.trc", text)));
}

TEST_F(trace_files, saving_reports_a_file_that_cannot_be_written_and_keeps_it_unsaved) {
    add_trace(store, "a", {hop("k", "192.0.2.1")});
    store.set_traces_saved(false);
    trace_document document;
    EXPECT_FALSE(save_traces_as(store, document, (dir / "no-such-dir" / "x.trc").string()));
    EXPECT_EQ(messages, std::vector<std::string>{"Can't write to file x.trc"});
    EXPECT_FALSE(store.traces_saved());
    EXPECT_EQ(document.title, "x.trc");

    EXPECT_TRUE(save_traces_as(store, document, (dir / "y.trc").string()));
    EXPECT_TRUE(store.traces_saved());
}

} // namespace
} // namespace hoplot
