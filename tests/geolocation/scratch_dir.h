#pragma once

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace hoplot {

// A fresh directory under the system's temporary directory, removed with its contents.
class scratch_dir {
  public:
    scratch_dir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "hoplot-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~scratch_dir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    scratch_dir(const scratch_dir&) = delete;
    scratch_dir& operator=(const scratch_dir&) = delete;

    // The directory with a trailing '/', as DBPath is kept.
    std::string path() const { return path_.string() + "/"; }

    std::string write(const std::string& relative, const std::string& contents) const {
        const auto file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << contents;
        return file.string();
    }

  private:
    std::filesystem::path path_;
};

inline std::string read_text_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs call, which opens the FIFO at path, and tells whether it came back without waiting for
// the FIFO's other end. One that waits is then given that end, so that the test goes on.
template <typename function> bool returns_without_waiting(const std::string& fifo, function call) {
    auto running = std::async(std::launch::async, std::move(call));
    const bool at_once = running.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    const int other_end = at_once ? -1 : ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    running.wait();
    if (other_end >= 0) ::close(other_end);
    return at_once;
}

} // namespace hoplot
