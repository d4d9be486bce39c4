// Writes the three key-face BMP files into the folder given on the command line.
#include "KeyFaceArt.h"

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: clav_keyfaces OUTPUT_DIR\n";
        return 2;
    }
    for (auto face : {pinstage::KeyFace::Normal, pinstage::KeyFace::Hover, pinstage::KeyFace::Down}) {
        const std::string path = std::string(argv[1]) + "/" + pinstage::keyFaceFileName(face);
        const auto bytes = pinstage::makeKeyFaceBmp(face);
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::cerr << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
