// mirelink-resgen SCRIPT ART_DIR OUT.cpp: the program's embedded resources.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "tools/dbb/raw_picture.h"
#include "tools/dbb/resource_script.h"
#include "tools/resgen/resource_builder.h"
#include "tools/resgen/source_writer.h"

namespace {

// Writes through a temporary file, so that a failed run never leaves a
// half-written source that the build would take as up to date.
void WriteSourceFile(const std::filesystem::path& path, const resgen::BuiltTable& table,
                     const std::string& scriptName) {
    const std::filesystem::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out) throw dbb::Error("cannot create " + temporary.string());
        resgen::WriteResourceSource(out, table, scriptName);
        out.close();
        if (!out) throw dbb::Error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, path);
}

int Run(const std::string& scriptPath, const std::string& artDir, const std::string& outPath) {
    const dbb::ResourceScript script = dbb::LoadResourceScript(scriptPath);
    const resgen::BuildResult built = resgen::BuildResources(script, artDir);
    if (!built.problems.empty()) {
        for (const std::string& problem : built.problems) std::cerr << "mirelink-resgen: " << problem << "\n";
        std::filesystem::remove(outPath);
        return 1;
    }
    WriteSourceFile(outPath, built.table, std::filesystem::path(scriptPath).filename().string());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Packs the drawn pictures and writes the program's embedded resource table"};
    std::string scriptPath;
    std::string artDir;
    std::string outPath;
    app.add_option("SCRIPT", scriptPath, "the resource script")->required();
    app.add_option("ART_DIR", artDir, "where the pictures were drawn (<id>.dbb, icon<id>.dbb)")->required();
    app.add_option("OUT", outPath, "the C++ source to write")->required();
    CLI11_PARSE(app, argc, argv);
    try {
        return Run(scriptPath, artDir, outPath);
    } catch (const std::exception& error) {
        std::cerr << "mirelink-resgen: " << error.what() << "\n";
        return 1;
    }
}
