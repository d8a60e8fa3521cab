// A real temporary folder, removed with everything in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "test-files-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    size_t entries() const { return size_t(std::distance(std::filesystem::directory_iterator(path), {})); }
};
