// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point of a fuzz target built without libFuzzer (GCC, or clang without its runtime):
// runs the target once on every file named, and on every file of every folder named, in name
// order, so that the ordinary build replays each corpus and the inputs that once broke a reader.
// A target stops the process (abort) on the first input that breaks what it checks; this program
// then never reaches its end. It fails too when it was given no input at all, so that a corpus
// folder that went missing cannot pass silently.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// No input of any corpus comes near this; a larger file is a mistake in the command.
constexpr std::uintmax_t kLargestInput = std::uintmax_t{64} << 20;

bool replay(const std::filesystem::path& file) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > kLargestInput) {
        std::fprintf(stderr, "replay: %s: not a readable input of at most 64 MiB\n", file.c_str());
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        std::fprintf(stderr, "replay: %s: read failed\n", file.c_str());
        return false;
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path named(argv[i]);
        std::vector<std::filesystem::path> files;
        std::error_code ec;
        if (std::filesystem::is_directory(named, ec)) {
            for (const auto& entry : std::filesystem::directory_iterator(named, ec))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
        } else {
            files.push_back(named);
        }
        for (const auto& file : files) {
            if (!replay(file)) return 1;
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::fputs("replay: no input (name files or folders of inputs)\n", stderr);
        return 1;
    }
    std::printf("replay: %zu inputs, all passed\n", replayed);
    return 0;
}
