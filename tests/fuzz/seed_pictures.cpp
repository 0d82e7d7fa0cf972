// mirelink-fuzz-seeds OUTDIR: writes every picture of the embedded resource
// table, as stored, to OUTDIR/ID: the fuzzer starts from the real pictures.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "res/resources.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirelink-fuzz-seeds OUTDIR\n");
        return 2;
    }
    const std::filesystem::path out(argv[1]);
    std::filesystem::create_directories(out);
    const platform::ResourceTable& table = MirelinkResources();
    int written = 0;
    for (std::size_t i = 0; i < table.count; ++i) {
        const platform::ResourceEntry& entry = table.entries[i];
        if (std::string_view(entry.type) != "DBB") continue;
        std::ofstream file(out / std::to_string(entry.id), std::ios::binary);
        if (!file.write(reinterpret_cast<const char*>(entry.data), entry.size).flush()) {
            std::fprintf(stderr, "mirelink-fuzz-seeds: cannot write picture %u\n", entry.id);
            return 1;
        }
        ++written;
    }
    // An empty table would leave the fuzzer nothing real to start from.
    if (written == 0) std::fprintf(stderr, "mirelink-fuzz-seeds: the resource table holds no pictures\n");
    return written == 0 ? 1 : 0;
}
