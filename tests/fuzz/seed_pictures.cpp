// mirelink-fuzz-seeds OUTDIR: writes every picture of the embedded resource
// table, as stored, to OUTDIR/picture-loaders/ID, and the packed ones to
// OUTDIR/unpack-image/ID as well: the fuzzers start from the real pictures.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "res/resources.h"
#include "tools/dbb/picture_catalogue.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirelink-fuzz-seeds OUTDIR\n");
        return 2;
    }
    const std::filesystem::path out(argv[1]);
    std::filesystem::create_directories(out / "picture-loaders");
    std::filesystem::create_directories(out / "unpack-image");
    const platform::ResourceTable& table = MirelinkResources();
    const dbb::PictureCatalogue& catalogue = MirelinkPictureCatalogue();
    int written = 0;
    for (std::size_t i = 0; i < table.count; ++i) {
        const platform::ResourceEntry& entry = table.entries[i];
        if (std::string_view(entry.type) != "DBB") continue;
        bool packed = false;
        for (std::size_t k = 0; k < catalogue.count; ++k) {
            packed = packed || (catalogue.pictures[k].id == entry.id && catalogue.pictures[k].packed);
        }
        for (const char* folder : {"picture-loaders", packed ? "unpack-image" : nullptr}) {
            if (folder == nullptr) continue;
            std::ofstream file(out / folder / std::to_string(entry.id), std::ios::binary);
            if (!file.write(reinterpret_cast<const char*>(entry.data), entry.size).flush()) {
                std::fprintf(stderr, "mirelink-fuzz-seeds: cannot write picture %u\n", entry.id);
                return 1;
            }
        }
        ++written;
    }
    // An empty table would leave the fuzzers nothing real to start from.
    if (written == 0) std::fprintf(stderr, "mirelink-fuzz-seeds: the resource table holds no pictures\n");
    return written == 0 ? 1 : 0;
}
