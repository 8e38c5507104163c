#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/show_message.h"
#include "geolocation/scratch_dir.h"
#include "trace/store_recorder.h"
#include "trace/trace_document.h"
#include "trace/trace_file.h"

namespace hoplot {
namespace {

using testing::hop;
using strings = std::vector<std::string>;
using namespace std::string_literals;

// The rows of some traces without their locations, which files do not keep, and without the
// leading blanks of their times, which reading has always dropped.
strings rows_of(const std::vector<trace_entry>& traces) {
    strings rows;
    for (const trace_entry& trace : traces) {
        rows.push_back("trace " + trace.name);
        for (const hop_rec& row : trace.rows) {
            const std::size_t digits = row.time.find_first_not_of(' ');
            rows.push_back(std::to_string(row.colour) + "|" + row.name + "|" + row.address + "|" +
                           row.time.substr(digits == std::string::npos ? 0 : digits));
        }
    }
    return rows;
}

constexpr uid_t nobody = 65534;

struct stat status_of(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status;
}

// Saves as a user who may write the file but not create one beside it: as root, in a child that
// becomes nobody and owns the file; otherwise in a child, with the directory made read-only.
bool save_without_directory_rights(const trace_store& store, const scratch_dir& dir,
                                   const std::string& path) {
    const bool root = ::geteuid() == 0;
    if (root ? ::chown(path.c_str(), nobody, nobody) != 0 || ::chmod(dir.path().c_str(), 0755) != 0
             : ::chmod(dir.path().c_str(), 0555) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        if (root && (::setgid(nobody) != 0 || ::setuid(nobody) != 0)) ::_exit(2);
        ::_exit(write_trace_file(store, path) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::chmod(dir.path().c_str(), 0700);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct trace_files : testing::store_test {
    scratch_dir dir;
    strings messages;
    message_handler old_handler =
        set_message_handler([this](const std::string& m) { messages.push_back(m); });
    trace_document document;

    ~trace_files() override { set_message_handler(old_handler); }
};

TEST_F(trace_files, the_example_trace_is_written_and_read_as_documented) {
    add_trace("10.1.2.3", {hop("192.0.2.1", "192.0.2.1", 1), make_status_row(timed_out_text, red),
                           hop("10.1.2.3", "10.1.2.3", 23), make_status_row(done_text, blue)});
    const std::string text = "1 10.1.2.3 4 0 192.0.2.1 192.0.2.1    1ms 255 Timed out. "
                             "Retrying...  0 10.1.2.3 10.1.2.3   23ms 16711680 Done ";
    EXPECT_EQ(trace_file_text(store), text);

    store.clear_traces();
    ASSERT_TRUE(read_trace_file(store, dir.write("example.trc", text)));
    EXPECT_EQ(rows_of(store.traces()), (strings{"trace 10.1.2.3", "0|192.0.2.1|192.0.2.1|1ms",
                                                "255|Timed out. Retrying... | | ",
                                                "0|10.1.2.3|10.1.2.3|23ms", "16711680|Done| | "}));
}

TEST_F(trace_files, ipv6_rows_are_plain_tokens_beside_ipv4_rows) {
    add_trace("dual.example",
              {hop("r1.example", "2001:db8::1", 3), hop("192.0.2.1", "192.0.2.1", 4),
               hop("::ffff:192.0.2.9", "::ffff:192.0.2.9", 20)});
    const std::string text = "1 dual.example 3 0 r1.example 2001:db8::1    3ms 0 192.0.2.1 "
                             "192.0.2.1    4ms 0 ::ffff:192.0.2.9 ::ffff:192.0.2.9   20ms ";
    EXPECT_EQ(trace_file_text(store), text);
    store.clear_traces();
    ASSERT_TRUE(read_trace_file(store, dir.write("mixed.trc", text)));
    EXPECT_EQ(rows_of(store.traces()),
              (strings{"trace dual.example", "0|r1.example|2001:db8::1|3ms",
                       "0|192.0.2.1|192.0.2.1|4ms", "0|::ffff:192.0.2.9|::ffff:192.0.2.9|20ms"}));
}

TEST_F(trace_files, traces_read_back_with_the_same_rows_and_fresh_locations) {
    places.positions["192.0.2.1"] = {1, 1};
    add_trace("a.example", {hop("r1", "192.0.2.1"), hop("dest", "198.51.100.7", 40)});
    add_trace("b.example",
              {hop("r2", "192.0.2.2", 12), make_status_row(timed_out_text, red),
               hop("b.example", "203.0.113.9", 300), make_status_row(done_text, blue)});
    // Names a PTR record could hold: each must come back token for token.
    for (const std::string& name : {"two words"s, "tab\there"s, "line\nbreak"s, "100%"s, "%41"s,
                                    "Timed"s, "Done"s, "Done-ish"s, "nul\0byte"s, "caf\xC3\xA9"s,
                                    "trailing "s, "\x01\x7F\xFF"s, std::string(1024, '\x80')})
        add_trace(name, {hop(name, "192.0.2.3"), hop("x", name), make_status_row(done_text, blue)});
    const strings before = rows_of(store.traces());
    const std::string path = dir.path() + "t.trc";
    ASSERT_TRUE(write_trace_file(store, path));
    const std::string text = read_text_file(path);
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c < 0x7F; }))
        << "plain printable ASCII only";

    // Positions changed since the traces were made: reading places every hop anew.
    places.positions = {{"198.51.100.7", {5, 5}}};
    seen.events.clear();
    ASSERT_TRUE(open_traces(store, document, path));

    EXPECT_EQ(rows_of(store.traces()), before);
    EXPECT_EQ(store.traces()[0].rows[0].location, unresolved_text);
    EXPECT_EQ(store.traces()[0].rows[1].location, "at 198.51.100.7");
    EXPECT_EQ(store.current_trace(), 0u);
    EXPECT_TRUE(store.traces_saved());
    EXPECT_EQ(window_caption(document), "Hoplot - t.trc");
    strings list{"list cleared"};
    for (const trace_entry& trace : store.traces())
        list.push_back("list append " + trace.name);
    list.push_back("list select 0");
    EXPECT_EQ(seen.only({"list"}), list);
    EXPECT_TRUE(seen.only({"dot", "label", "line"}).empty()) << "the redraw shows trace 0";
    // The other traces are placed when they are shown.
    EXPECT_FALSE(store.traces()[1].rows[2].location);
    store.rebuild_route(1);
    EXPECT_EQ(store.traces()[1].rows[2].location, unresolved_text);
    EXPECT_TRUE(messages.empty());
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
        {"hop row without an address named like a status line",
         "1 a 2 " + hop_row + "0 %44one %20 1ms "},
        {"bad escape", "1 a%zz 1 " + hop_row},
        {"escape cut short", "1 a%4 1 " + hop_row},
        {"tokens after the last trace", "1 a 1 " + hop_row + "junk "},
        {"binary", std::string("\x00\xff\x01 1 2", 7)},
    };
    for (const auto& [what, text] : cases)
        EXPECT_FALSE(parse_trace_text(text)) << what;

    // Reading into a store that holds a trace leaves it exactly as it was.
    places.positions["192.0.2.1"] = {1, 1};
    add_trace("kept", {hop("k", "192.0.2.1")});
    const auto before = rows_of(store.traces());
    EXPECT_FALSE(read_trace_file(store, dir.write("bad.trc", "2 a 1 " + hop_row)));
    EXPECT_FALSE(read_trace_file(store, dir.path() + "missing.trc"));
    EXPECT_EQ(rows_of(store.traces()), before);
    EXPECT_EQ(store.current_route()->places.size(), 1u);
}

TEST_F(trace_files, every_file_the_writer_writes_reads_back) {
    trace_store many(places.resolver());
    std::vector<hop_rec> rows;
    for (int ttl = 1; ttl <= 30; ++ttl)
        rows.push_back(
            hop("core-" + std::to_string(ttl) + ".backbone.example.net", "198.51.100.123", ttl));
    for (int i = 0; i < 2700; ++i) {
        many.begin_trace("host-" + std::to_string(i) + ".example.org");
        for (const hop_rec& row : rows)
            many.add_hop(row, false);
        many.end_trace();
    }
    const std::string path = dir.path() + "many.trc";
    ASSERT_TRUE(write_trace_file(many, path));
    ASSERT_GT(std::filesystem::file_size(path), 4u << 20);
    ASSERT_TRUE(read_trace_file(store, path));
    EXPECT_EQ(rows_of(store.traces()), rows_of(many.traces()));
}

// Saving over a file changes its text only: a directory that takes no new file, the file's
// mode and another user's ownership do not stop or change it.
TEST_F(trace_files, saving_over_a_file_keeps_the_file) {
    add_trace("a", {hop("k", "192.0.2.1")});
    const std::string path = dir.write("shared.trc", "0 ");
    ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
    ASSERT_TRUE(save_without_directory_rights(store, dir, path));
    EXPECT_EQ(read_text_file(path), trace_file_text(store));

    // Our own file, replaced whole, and another user's, written in place (as root: nobody's).
    const std::string own = dir.write("own.trc", "0 ");
    for (const std::string& file : {own, path}) {
        ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
        const uid_t owner = status_of(file).st_uid;
        ASSERT_TRUE(write_trace_file(store, file));
        EXPECT_EQ(read_text_file(file), trace_file_text(store));
        EXPECT_EQ(status_of(file).st_mode & 07777, 0640u) << file;
        EXPECT_EQ(status_of(file).st_uid, owner) << file;
    }
}

// A file that cannot be read, or written by Save As, changes neither the traces held nor the
// current file; both say so.
TEST_F(trace_files, opening_and_saving_report_the_files_they_cannot_use) {
    add_trace("old", {hop("k", "192.0.2.1")});
    ASSERT_TRUE(open_traces(store, document, dir.write("empty.trc", "0 ")));
    EXPECT_EQ(store.trace_count(), 0);
    EXPECT_EQ(store.current_route(), nullptr);
    EXPECT_TRUE(seen.only({"list select"}).empty());

    add_trace("a", {hop("k", "192.0.2.1")});
    store.set_traces_saved(false);
    seen.events.clear();
    EXPECT_FALSE(open_traces(store, document, dir.write("broken.trc", "3 a ")));
    EXPECT_FALSE(save_traces_as(store, document, dir.path() + "no-such-dir/x.trc"));
    EXPECT_EQ(messages, (strings{"Can't read file broken.trc", "Can't write to file x.trc"}));
    EXPECT_EQ(rows_of(store.traces()), (strings{"trace a", "0|k|192.0.2.1|1ms"}));
    EXPECT_TRUE(seen.events.empty()) << "nothing cleared or redrawn";
    EXPECT_FALSE(store.traces_saved());
    EXPECT_EQ(window_caption(document), "Hoplot - empty.trc");

    EXPECT_TRUE(save_traces_as(store, document, dir.path() + "y.trc"));
    EXPECT_TRUE(store.traces_saved());
    EXPECT_EQ(window_caption(document), "Hoplot - y.trc");
}

} // namespace
} // namespace hoplot
