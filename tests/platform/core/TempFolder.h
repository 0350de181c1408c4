// A temporary folder for the core tests, without Qt: made empty under TMPDIR (or /tmp), removed with all it
// holds when the object goes.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace platform::test {

class TempFolder {
public:
    TempFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/platform-core-test-XXXXXX";
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        if (Valid()) std::filesystem::remove_all(path_, ignored);
    }

    // False when the folder could not be made.
    bool Valid() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace platform::test
