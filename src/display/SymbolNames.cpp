// Picture and symbol file names of the backglass layout, checked before any file is touched.
#include "display/SymbolNames.h"

#include "config/FrontonParams.h"

namespace pinstage {

bool pictureNumberEmpty(const FrontonElement& e) {
    return e.pictureNumber.cp1252().find_first_not_of(' ') == std::string::npos;
}

bool elementHasPicture(const FrontonElement& e) {
    return elementPicture(e).has_value();
}

std::optional<PictureKind> pictureKindOf(const std::string& fileName) {
    size_t dot = fileName.rfind('.');
    if (dot == std::string::npos)
        return std::nullopt;
    std::string ext = fileName.substr(dot + 1);
    if (ext == "bmp")
        return PictureKind::Bitmap;
    if (ext == "jpg")
        return PictureKind::Jpeg;
    return std::nullopt;
}

bool isPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == '/' || c == '\\' || c == ':')
            return false;
    return true;
}

std::optional<std::string> symbolFileName(const FrontonElement& e) {
    std::string label = e.functionLabel.utf8();
    if (label.empty())
        return std::nullopt;
    std::string name = label + ".bmp";
    if (!isPlainFileName(name))
        return std::nullopt;
    return name;
}

} // namespace pinstage
