// mirelink-art SCRIPT OUTDIR: draws every picture and the icon named by the
// resource script into OUTDIR, one raw picture file each.
// mirelink-art --icons OUTDIR: draws the desktop icons into OUTDIR/NxN/mirelink.png.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "res/art/catalogue.h"
#include "res/art/icon.h"
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
    std::string iconDir;
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

int RunIcons(const Options& options) {
    if (const std::string problem = art::WriteDesktopIcons(options.iconDir); !problem.empty()) return Fail(problem);
    return 0;
}

int main(int argc, char** argv) {
    CLI::App app{"Draws every picture of the resource script, or the desktop icons."};
    Options options;
    CLI::Option* script = app.add_option("SCRIPT", options.script, "the resource script");
    CLI::Option* outDir = app.add_option("OUTDIR", options.outDir, "where the picture files go (must exist)");
    CLI::Option* sheet = app.add_option("--sheet", options.sheet, "also write a contact sheet PNG of the pictures");
    CLI::Option* ids = app.add_option("--ids", options.onlyIds, "put only these ids on the sheet")->delimiter(',');
    CLI::Option* scale = app.add_option("--scale", options.scale, "sheet magnification")->check(CLI::Range(1, 8));
    CLI::Option* icons =
        app.add_option("--icons", options.iconDir, "draw the desktop icons into OUTDIR/NxN/mirelink.png instead")
            ->option_text("OUTDIR");
    for (CLI::Option* pictureOption : {script, outDir, sheet, ids, scale}) icons->excludes(pictureOption);
    try {
        app.parse(argc, argv);
        if (options.iconDir.empty()) {
            if (options.script.empty()) throw CLI::RequiredError("SCRIPT");
            if (options.outDir.empty()) throw CLI::RequiredError("OUTDIR");
        }
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    try {
        if (!options.iconDir.empty()) return RunIcons(options);
        return Run(options);
    } catch (const dbb::Error& error) {
        return Fail(error.what());
    }
}
