#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

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

} // namespace hoplot
