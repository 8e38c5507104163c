#include "trace/trace_file.h"

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

#include "base/whole_file.h"

#include "base/text_scanner.h"

namespace hoplot {
namespace {

constexpr char hex_digits[] = "0123456789ABCDEF";

bool is_plain(unsigned char c) {
    return c >= 0x21 && c <= 0x7E && c != '%';
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void append_escaped(std::string& token, unsigned char byte) {
    token += '%';
    token += hex_digits[byte >> 4];
    token += hex_digits[byte & 0xF];
}

// A hop named like the first word of a status row has its first letter escaped, so that it
// reads back as a hop.
std::string hop_name_token(const std::string& name) {
    std::string token = escape_token(name);
    if (token != "Timed" && token != done_text) return token;
    std::string escaped;
    append_escaped(escaped, static_cast<unsigned char>(token[0]));
    return escaped + token.substr(1);
}

std::string time_token(const std::string& time) {
    const std::size_t blanks = time.find_first_not_of(' ');
    if (blanks == std::string::npos) return time + "%";
    return time.substr(0, blanks) + escape_token(std::string_view(time).substr(blanks));
}

// The tokens of a trace file.
class token_reader {
  public:
    explicit token_reader(std::string_view text) : in_(text) {}

    std::optional<std::string_view> word() { return in_.read_word_view(); }

    std::optional<std::string> text() {
        const auto token = word();
        if (!token) return std::nullopt;
        return unescape_token(*token);
    }

    // A whole token of optional '-' and decimal digits that fits in 32 bits.
    std::optional<int> number() {
        const auto token = word();
        if (!token) return std::nullopt;
        const std::string_view digits = (*token)[0] == '-' ? token->substr(1) : *token;
        if (digits.empty() || digits.size() > 10) return std::nullopt;
        long long value = 0;
        for (char c : digits) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        if ((*token)[0] == '-') value = -value;
        if (value < INT_MIN || value > INT_MAX) return std::nullopt;
        return static_cast<int>(value);
    }

    std::optional<int> count() {
        const auto value = number();
        if (!value || *value < 0) return std::nullopt;
        return value;
    }

    bool at_end() {
        in_.skip_space();
        return in_.at_end();
    }

    std::size_t position() const { return in_.position(); }

  private:
    text_scanner in_;
};

std::optional<hop_rec> parse_row(token_reader& in) {
    const auto colour = in.number();
    const auto first = in.word();
    if (!colour || !first) return std::nullopt;
    if (*first == done_text) return make_status_row(done_text, *colour);
    if (*first == "Timed") {
        const auto out = in.word();
        const auto retrying = in.word();
        if (!out || !retrying || *out != "out." || *retrying != "Retrying...") return std::nullopt;
        return make_status_row(timed_out_text, *colour);
    }
    hop_rec hop;
    auto name = unescape_token(*first);
    auto address = in.text();
    const auto time = in.text();
    if (!name || !address || !time) return std::nullopt;
    hop.name = std::move(*name);
    hop.address = std::move(*address);
    // Times are written with their leading blanks, which reading drops, escaped or not.
    hop.time = time->substr(std::min(time->find_first_not_of(' '), time->size()));
    hop.colour = *colour;
    // A hop row that would load as a status row was not written by us.
    if (hop.is_status()) return std::nullopt;
    return hop;
}

std::optional<trace_entry> parse_trace(token_reader& in) {
    trace_entry trace;
    const auto name = in.text();
    const auto rows = in.count();
    if (!name || !rows || *rows == 0) return std::nullopt;
    trace.name = *name;
    // Room for a trace's worth of rows; beyond that they are pushed one by one, so that a huge
    // count in a short file runs out of tokens, not memory.
    trace.rows.reserve(static_cast<std::size_t>(std::min(*rows, 32)));
    for (int i = 0; i < *rows; ++i) {
        auto row = parse_row(in);
        if (!row) return std::nullopt;
        trace.rows.push_back(std::move(*row));
    }
    // Every trace in the store begins with a hop; one that does not would not get its line.
    if (trace.rows.front().is_status()) return std::nullopt;
    return trace;
}

// A row takes some tens of times its bytes in the file once parsed and stored: a file whose
// traces could not be held in memory is refused before it is read.
std::size_t max_trace_file_size() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long page_size = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || page_size <= 0) return std::string::npos;
    return static_cast<std::size_t>(pages) / 64 * static_cast<std::size_t>(page_size);
}

bool write_text(QFileDevice& file, const std::string& text) {
    const auto size = static_cast<qint64>(text.size());
    return file.write(text.data(), size) == size;
}

// Replacing another user's file would make it ours; it is written where it stands instead.
bool owned_by_someone_else(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && status.st_uid != ::geteuid();
}

bool write_in_place(const QString& path, const std::string& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const bool written = write_text(file, text);
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

// The file is replaced only once the whole text is written, and keeps its mode. A directory
// that takes no new file leaves the file itself to be written, as a plain write would.
bool write_replacing(const QString& path, const std::string& text) {
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!write_text(file, text)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

std::string escape_token(std::string_view text) {
    if (text.empty()) return "%";
    std::string token;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (is_plain(byte)) {
            token += c;
        } else {
            append_escaped(token, byte);
        }
    }
    return token;
}

std::optional<std::string> unescape_token(std::string_view token) {
    if (token == "%") return std::string();
    if (token.find('%') == std::string_view::npos) return std::string(token);
    std::string text;
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (token[i] != '%') {
            text += token[i];
            continue;
        }
        if (i + 2 >= token.size()) return std::nullopt;
        const int high = hex_value(token[i + 1]);
        const int low = hex_value(token[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        text += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return text;
}

std::string trace_file_text(const trace_store& store) {
    std::string text = std::to_string(store.trace_count()) + " ";
    for (const trace_entry& trace : store.traces()) {
        text += escape_token(trace.name) + " " + std::to_string(trace.rows.size()) + " ";
        for (const hop_rec& row : trace.rows) {
            text += std::to_string(row.colour) + " ";
            if (row.is_status()) {
                text += row.name + " ";
            } else {
                text += hop_name_token(row.name) + " " + escape_token(row.address) + " " +
                        time_token(row.time) + " ";
            }
        }
    }
    return text;
}

std::optional<std::vector<trace_entry>> parse_trace_text(std::string_view text,
                                                         const parse_progress& progress) {
    token_reader in(text);
    const auto count = in.count();
    if (!count) return std::nullopt;
    std::vector<trace_entry> traces;
    for (int i = 0; i < *count; ++i) {
        auto trace = parse_trace(in);
        if (!trace) return std::nullopt;
        traces.push_back(std::move(*trace));
        if (progress) progress(in.position(), text.size());
    }
    if (!in.at_end()) return std::nullopt;
    return traces;
}

void load_traces(trace_store& store, std::vector<trace_entry> traces) {
    const auto first = static_cast<std::size_t>(store.trace_count());
    store.add_traces(std::move(traces));
    for (auto index = first; index < static_cast<std::size_t>(store.trace_count()); ++index)
        store.place_trace(index);
}

bool write_trace_file(const trace_store& store, const std::string& path) {
    const std::string text = trace_file_text(store);
    // A file that could not be read back is not written: the traces are still held and can be
    // saved in parts.
    if (text.size() > max_trace_file_size()) return false;
    const QString name = QString::fromStdString(path);
    return owned_by_someone_else(path) ? write_in_place(name, text) : write_replacing(name, text);
}

std::optional<std::vector<trace_entry>> read_trace_file(const std::string& path,
                                                        const parse_progress& progress) {
    const auto text = read_whole_file(path, max_trace_file_size());
    if (!text) return std::nullopt;
    return parse_trace_text(*text, progress);
}

bool read_trace_file(trace_store& store, const std::string& path) {
    auto traces = read_trace_file(path);
    if (!traces) return false;
    load_traces(store, std::move(*traces));
    return true;
}

} // namespace hoplot
