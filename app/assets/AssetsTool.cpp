// pinstage-assets: writes the default assets missing from a data root (pinstage-assets --root DIR).
#include "DefaultPictures.h"
#include "DefaultSounds.h"
#include "DefaultVideo.h"
#include "platform/DataRoot.h"
#include "platform/PinError.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    using namespace pinstage;
    std::filesystem::path root = DataRoot::defaultRoot();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--root") == 0 && i + 1 < argc) {
            root = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--root DIR]\n", argv[0]);
            return 2;
        }
    }
    try {
        DataRoot data(root);
        data.ensureDirectories();
        auto sounds = writeDefaultSounds(data.dir(DataDir::Sons));
        for (const auto& name : sounds)
            std::printf("%s\n", (data.dir(DataDir::Sons) / name).c_str());
        std::printf("%zu son(s) écrit(s) dans %s\n", sounds.size(), data.dir(DataDir::Sons).c_str());
        // Pictures are drawn with fonts: a window-less application is enough.
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        QGuiApplication app(argc, argv);
        auto pictures = writeDefaultPictures(data);
        for (const auto& path : pictures)
            std::printf("%s\n", path.c_str());
        std::printf("%zu image(s) écrite(s)\n", pictures.size());
        for (const auto& path : writeDefaultVideos(data))
            std::printf("%s\n", path.c_str());
    } catch (const PinError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
