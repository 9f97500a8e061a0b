#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

namespace VyroTest {

// A fresh, empty folder under the system's temporary folder for one test, removed afterwards.
class TestFolder {
public:
    TestFolder()
    {
        static std::atomic<int> counter{0};
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("vyro-config-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
                 std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TestFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    std::filesystem::path Write(const std::string& name, const std::string& text) const
    {
        const std::filesystem::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }

private:
    std::filesystem::path path_;
};

// Copies a store's two files from `source` into `target` (created), writable even when the source
// files are not, and returns `target`.
inline std::filesystem::path CopyStore(const std::filesystem::path& source, const std::filesystem::path& target)
{
    namespace fs = std::filesystem;
    fs::create_directories(target);
    for (const char* file : {"VyroChannelConfig", "VyroChannelConfig.crc"}) {
        fs::copy_file(source / file, target / file);
        fs::permissions(target / file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
    }
    return target;
}

} // namespace VyroTest
