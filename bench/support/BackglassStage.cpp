#include "BackglassStage.h"

#include "DefaultPictures.h"
#include "display/SymbolFiles.h"

#include <unistd.h>

namespace pinstage {

BackglassStage::BackglassStage(const std::string& name)
    : dir(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
    const DataRoot data(dir);
    writeDefaultPictures(data);
    const ScreenSize size{1920, 1080};
    stretchBackgroundToScreen(layout, size);
    buildSymbolFiles(layout, data, 0, 88, DataDir::Images);
    buildSymbolFiles(layout, data, 88, 89, DataDir::PubImages);
    b = std::make_unique<Backglass>(layout, data);
    initDisplay(*b, size);
    initBackglass(*b, {}, 0);
    ctx.now = 1000;
    fullRedraw(*b, ctx, presenter);
}

BackglassStage::~BackglassStage() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

} // namespace pinstage
