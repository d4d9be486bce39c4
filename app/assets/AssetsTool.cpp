// pinstage-assets: writes the default assets missing from a data root (pinstage-assets --root DIR).
#include "DefaultSounds.h"
#include "platform/DataRoot.h"
#include "platform/PinError.h"

#include <cstdio>
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
    } catch (const PinError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
