#include "res/art/script.h"

#include <sstream>

namespace art {

std::string PictureLine::FileName() const {
    return (kind == PictureKind::Icon ? "icon" : "") + std::to_string(id) + ".dbb";
}

namespace {

// The largest side we accept: keeps a typo from asking for gigabytes.
constexpr int kMaxSide = 4096;

bool SideIsSane(int side) { return side > 0 && side <= kMaxSide; }

std::string ParseDbbLine(std::istringstream& fields, PictureLine& line) {
    std::string form;
    if (!(fields >> line.id >> form >> line.width >> line.height >> line.frames)) {
        return "expected: dbb ID FORM WIDTH HEIGHT FRAMES";
    }
    if (form != "raw" && form != "packed") return "form must be raw or packed, not '" + form + "'";
    line.packed = form == "packed";
    if (!SideIsSane(line.width) || !SideIsSane(line.height)) return "size out of range";
    if (line.frames < 1 || line.height % line.frames != 0) return "height is not a whole number of frames";
    return {};
}

std::string ParseIconLine(std::istringstream& fields, PictureLine& line) {
    line.kind = PictureKind::Icon;
    if (!(fields >> line.id >> line.width >> line.height)) return "expected: icon ID WIDTH HEIGHT";
    if (!SideIsSane(line.width) || !SideIsSane(line.height)) return "size out of range";
    return {};
}

}  // namespace

ScriptResult ReadPictureLines(std::istream& script) {
    ScriptResult result;
    std::string text;
    for (int number = 1; std::getline(script, text); ++number) {
        std::istringstream fields(text);
        std::string keyword;
        fields >> keyword;
        PictureLine line;
        std::string problem;
        if (keyword == "dbb") {
            problem = ParseDbbLine(fields, line);
        } else if (keyword == "icon") {
            problem = ParseIconLine(fields, line);
        } else {
            continue;
        }
        if (!problem.empty()) {
            result.error = "line " + std::to_string(number) + ": " + problem;
            return result;
        }
        result.pictures.push_back(line);
    }
    return result;
}

}  // namespace art
