// mirelink-art SCRIPT OUTDIR: draws every picture and the icon named by the
// resource script into OUTDIR, one raw picture file each.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "res/art/catalogue.h"
#include "res/art/picture.h"
#include "res/art/script.h"
#include "res/art/sheet.h"

namespace {

struct Options {
    std::string script;
    std::string outDir;
    std::string sheet;
    std::vector<int> onlyIds;
    int scale = 2;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "mirelink-art: %s\n", message.c_str());
    return 1;
}

bool Wanted(const Options& options, const art::PictureLine& line) {
    return options.onlyIds.empty() ||
           std::find(options.onlyIds.begin(), options.onlyIds.end(), line.id) != options.onlyIds.end();
}

int Run(const Options& options) {
    if (const std::string problem = art::LoadFonts(); !problem.empty()) return Fail(problem);
    std::ifstream scriptFile(options.script);
    if (!scriptFile) return Fail("cannot read the resource script " + options.script);
    const art::ScriptResult script = art::ReadPictureLines(scriptFile);
    if (!script.error.empty()) return Fail(options.script + ": " + script.error);

    std::vector<art::SheetEntry> sheet;
    for (const art::PictureLine& line : script.pictures) {
        const art::Drawing* drawing = art::TheCatalogue().Find(line);
        if (drawing == nullptr) return Fail("no drawing for picture " + line.FileName());
        art::Picture picture = art::Render(line, *drawing);
        const std::vector<std::uint8_t> bytes = art::EncodeRaw(picture);
        if (bytes.size() != 8 + 4 * static_cast<std::size_t>(line.width) * line.height) {
            return Fail("picture " + line.FileName() + " came out at the wrong size");
        }
        if (const std::string problem = art::WriteFile(options.outDir + "/" + line.FileName(), bytes);
            !problem.empty()) {
            return Fail(problem);
        }
        if (!options.sheet.empty() && Wanted(options, line)) sheet.push_back({line, std::move(picture)});
    }
    if (!options.sheet.empty()) {
        if (const std::string problem = art::WriteSheet(options.sheet, sheet, options.scale); !problem.empty()) {
            return Fail(problem);
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Draws every picture of the resource script."};
    Options options;
    app.add_option("SCRIPT", options.script, "the resource script")->required();
    app.add_option("OUTDIR", options.outDir, "where the picture files go (must exist)")->required();
    app.add_option("--sheet", options.sheet, "also write a contact sheet PNG of the pictures");
    app.add_option("--ids", options.onlyIds, "put only these ids on the sheet")->delimiter(',');
    app.add_option("--scale", options.scale, "sheet magnification")->check(CLI::Range(1, 8));
    CLI11_PARSE(app, argc, argv);
    return Run(options);
}
