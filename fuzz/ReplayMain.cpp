// The main of a fuzz target built without libFuzzer: feeds every regular file
// of the folders (or files) named on the command line to the target, in name
// order, one at a time. A missing folder is not an error (a target may have
// no kept reproducers yet). Exit status 0 when every input ran; a crash or a
// sanitizer report ends the program as it would end the fuzzer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsOf(const fs::path& place) {
    std::vector<fs::path> files;
    std::error_code error;
    if (fs::is_regular_file(place, error)) {
        files.push_back(place);
    } else if (fs::is_directory(place, error)) {
        for (const auto& entry : fs::recursive_directory_iterator(place, error)) {
            if (entry.is_regular_file(error)) files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
    } else {
        std::printf("skipped (not found): %s\n", place.c_str());
    }
    return files;
}

bool run(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(stream),
                                  std::istreambuf_iterator<char>()};
    // Printed before the run, so a crash names its input.
    std::printf("%s\n", file.c_str());
    std::fflush(stdout);
    // A copy of exactly the file's size, so reads past the end are caught.
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    std::uint8_t* start = data.empty() ? nullptr : data.data();
    LLVMFuzzerTestOneInput(start, data.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER_OR_FILE...\n", argv[0]);
        return 2;
    }
    std::size_t count = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        for (const fs::path& file : inputsOf(argv[i])) {
            ok = run(file) && ok;
            ++count;
        }
    }
    std::printf("ran %zu inputs\n", count);
    return ok ? 0 : 1;
}
