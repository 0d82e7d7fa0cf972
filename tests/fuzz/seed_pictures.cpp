// mirelink-fuzz-seeds OUTDIR: writes every picture of the embedded resource
// table, as stored, to OUTDIR/picture-loaders/ID, and the packed ones to
// OUTDIR/unpack-image/ID as well: the fuzzers start from the real pictures.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "res/resources.h"
#include "tools/dbb/picture_catalogue.h"

namespace {

bool IsPacked(std::uint32_t id) {
    const dbb::PictureCatalogue& catalogue = MirelinkPictureCatalogue();
    for (std::size_t i = 0; i < catalogue.count; ++i) {
        if (catalogue.pictures[i].id == id) return catalogue.pictures[i].packed;
    }
    return false;
}

bool Write(const std::filesystem::path& file, const platform::ResourceEntry& entry) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(entry.data), static_cast<std::streamsize>(entry.size));
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirelink-fuzz-seeds OUTDIR\n");
        return 2;
    }
    const std::filesystem::path pictures = std::filesystem::path(argv[1]) / "picture-loaders";
    const std::filesystem::path packed = std::filesystem::path(argv[1]) / "unpack-image";
    std::filesystem::create_directories(pictures);
    std::filesystem::create_directories(packed);
    const platform::ResourceTable& table = MirelinkResources();
    int written = 0;
    for (std::size_t i = 0; i < table.count; ++i) {
        const platform::ResourceEntry& entry = table.entries[i];
        if (std::string_view(entry.type) != "DBB") continue;
        const std::string name = std::to_string(entry.id);
        bool ok = Write(pictures / name, entry);
        if (IsPacked(entry.id)) ok = ok && Write(packed / name, entry);
        if (!ok) {
            std::fprintf(stderr, "mirelink-fuzz-seeds: cannot write picture %s\n", name.c_str());
            return 1;
        }
        ++written;
    }
    // An empty table would leave the fuzzers nothing real to start from.
    if (written == 0) {
        std::fprintf(stderr, "mirelink-fuzz-seeds: the resource table holds no pictures\n");
        return 1;
    }
    return 0;
}
