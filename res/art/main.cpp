// mirelink-art SCRIPT OUTDIR: draws every picture and the icon named by the
// resource script into OUTDIR, one raw picture file each.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "res/art/catalogue.h"
#include "res/art/picture.h"
#include "res/art/picture_line.h"
#include "tools/dbb/contact_sheet.h"
#include "tools/dbb/raw_picture.h"
#include "tools/dbb/resource_script.h"

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

std::string SheetLabel(const art::PictureLine& line) {
    return (line.kind == art::PictureKind::Icon ? "icon " : "") + std::to_string(line.id);
}

// The script and the sheet report their faults as dbb::Error, caught by main.
int Run(const Options& options) {
    if (const std::string problem = art::LoadFonts(); !problem.empty()) return Fail(problem);
    std::vector<dbb::SheetPicture> sheet;
    for (const art::PictureLine& line : art::PicturesToDraw(dbb::LoadResourceScript(options.script))) {
        const art::Drawing* drawing = art::TheCatalogue().Find(line);
        if (drawing == nullptr) return Fail("no drawing for picture " + line.FileName());
        const std::vector<std::uint8_t> bytes = art::EncodeRaw(art::Render(line, *drawing));
        if (bytes.size() != 8 + 4 * static_cast<std::size_t>(line.width) * line.height) {
            return Fail("picture " + line.FileName() + " came out at the wrong size");
        }
        if (const std::string problem = art::WriteFile(options.outDir + "/" + line.FileName(), bytes);
            !problem.empty()) {
            return Fail(problem);
        }
        if (!options.sheet.empty() && Wanted(options, line)) {
            sheet.push_back({SheetLabel(line), static_cast<std::uint32_t>(line.frames), bytes});
        }
    }
    if (!options.sheet.empty()) dbb::WriteContactSheet(options.sheet, sheet, options.scale);
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
    try {
        return Run(options);
    } catch (const dbb::Error& error) {
        return Fail(error.what());
    }
}
