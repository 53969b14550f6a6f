// Runs one harness over files and folders of inputs, without libFuzzer: the normal build's
// check that every seed and every crash once found still goes through cleanly.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace fs = std::filesystem;

namespace {

bool replay(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::fprintf(stderr, "%s\n", file.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        std::error_code error;
        if (fs::is_regular_file(path, error)) {
            if (!replay(path))
                return 1;
            ++count;
        } else if (fs::is_directory(path, error)) {
            std::vector<fs::path> files;
            for (const fs::directory_entry &entry : fs::directory_iterator(path))
                if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const fs::path &file : files) {
                if (!replay(file))
                    return 1;
                ++count;
            }
        } else {
            std::fprintf(stderr, "no such file or folder: %s\n", argv[i]);
            return 1;
        }
    }
    std::printf("%d inputs replayed\n", count);
    return 0;
}
