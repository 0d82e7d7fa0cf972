// dbbtool: looks at the pictures embedded in the program, and packs and
// unpacks picture files.
#include <CLI/CLI.hpp>

#include <iomanip>
#include <iostream>

#include "res/resources.h"
#include "tools/dbb/contact_sheet.h"
#include "tools/dbb/embedded_pictures.h"
#include "tools/dbb/packer.h"
#include "tools/dbb/png_export.h"
#include "tools/dbb/raw_picture.h"

namespace {

dbb::EmbeddedPictures Embedded() { return dbb::EmbeddedPictures(MirelinkResources(), MirelinkPictureCatalogue()); }

void List() {
    std::cout << std::left << std::setw(6) << "id" << std::setw(8) << "form" << std::setw(7) << "width"
              << std::setw(8) << "height" << std::setw(8) << "frames" << "stored bytes\n";
    for (const dbb::PictureRow& row : Embedded().List()) {
        std::cout << std::setw(6) << row.id << std::setw(8) << dbb::FormName(row.form) << std::setw(7) << row.width
                  << std::setw(8) << row.height << std::setw(8) << row.frames << row.storedBytes << "\n";
    }
}

void ExportRaw(std::uint32_t id, const std::string& file) { dbb::WriteFileBytes(file, Embedded().RawBytes(id)); }

void ExportPng(std::uint32_t id, const std::string& file) {
    dbb::WritePng(file, dbb::UprightRgba(Embedded().RawBytes(id)));
}

void PackFile(const std::string& in, const std::string& out) {
    const dbb::RawPicture picture = dbb::ReadRawPicture(in);
    const std::vector<std::uint8_t> packed = dbb::PackAndVerify(picture.bytes);
    dbb::WriteFileBytes(out, packed);
    std::cout << in << ": " << picture.bytes.size() << " -> " << packed.size() << " bytes\n";
}

void UnpackFile(const std::string& in, const std::string& out) {
    try {
        dbb::WriteFileBytes(out, dbb::UnpackPicture(dbb::ReadFileBytes(in)));
    } catch (const dbb::Error& error) {
        throw dbb::Error(in + ": " + error.what());
    }
}

void Sheet(const std::string& file) {
    const dbb::EmbeddedPictures embedded = Embedded();
    std::vector<dbb::SheetPicture> pictures;
    for (const dbb::PictureRow& row : embedded.List()) {
        pictures.push_back({std::to_string(row.id), row.frames, embedded.RawBytes(row.id)});
    }
    dbb::WriteContactSheet(file, pictures);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"The program's pictures: list, export, pack and unpack"};
    app.require_subcommand(1);
    std::uint32_t id = 0;
    std::string in;
    std::string out;
    const auto idRange = CLI::Range(1u, 65535u);

    auto* list = app.add_subcommand("list", "every embedded picture: id, form, size, frames, bytes stored");
    auto* raw = app.add_subcommand("raw", "write embedded picture ID as a raw picture file");
    raw->add_option("ID", id, "picture id")->required()->check(idRange);
    raw->add_option("FILE", out, "raw picture file to write")->required();
    auto* png = app.add_subcommand("png", "write embedded picture ID upright as an RGBA PNG");
    png->add_option("ID", id, "picture id")->required()->check(idRange);
    png->add_option("FILE", out, "PNG file to write")->required();
    auto* pack = app.add_subcommand("pack", "pack a raw picture file");
    pack->add_option("IN", in, "raw picture file")->required()->check(CLI::ExistingFile);
    pack->add_option("OUT", out, "packed file to write")->required();
    auto* unpack = app.add_subcommand("unpack", "unpack a packed picture file");
    unpack->add_option("IN", in, "packed picture file")->required()->check(CLI::ExistingFile);
    unpack->add_option("OUT", out, "raw picture file to write")->required();
    auto* sheet = app.add_subcommand("sheet", "draw every embedded picture on one PNG contact sheet");
    sheet->add_option("FILE", out, "PNG file to write")->required();
    CLI11_PARSE(app, argc, argv);

    try {
        if (list->parsed()) List();
        if (raw->parsed()) ExportRaw(id, out);
        if (png->parsed()) ExportPng(id, out);
        if (pack->parsed()) PackFile(in, out);
        if (unpack->parsed()) UnpackFile(in, out);
        if (sheet->parsed()) Sheet(out);
    } catch (const std::exception& error) {
        std::cerr << "dbbtool: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
