// What the end-to-end tests of tarvex-resize share: a file's bytes, a
// scratch folder filled from the test data, and a run of the program with
// its exit status and standard error.
#pragma once

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarvex::test::cli {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

inline const fs::path kData = fs::path(TARVEX_TEST_DATA);

inline Bytes readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string readText(const fs::path& path) {
    const Bytes b = readBytes(path);
    return std::string(b.begin(), b.end());
}

// A fresh folder below the temporary folder, removed with everything in it.
class Scratch {
public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "tarvex-cli-XXXXXX").string();
        if (::mkdtemp(pattern.data())) path_ = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const fs::path& path() const { return path_; }
    // Copies a test-data file here under the given name.
    fs::path add(const std::string& source, const std::string& name) const {
        fs::copy_file(kData / source, path_ / name);
        return path_ / name;
    }

private:
    fs::path path_;
};

struct RunResult {
    int status = -1;
    std::string err;
};

// Runs tarvex-resize with args, its output and errors kept in logs.
inline RunResult runResize(const std::vector<std::string>& args, const fs::path& logs) {
    std::string command = "'" + std::string(TARVEX_RESIZE_BIN) + "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " > '" + (logs / "out.txt").string() + "' 2> '" + (logs / "err.txt").string() + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readText(logs / "err.txt")};
}

}  // namespace tarvex::test::cli
