// The default backglass at 1920 x 1080, fully drawn once, in a fresh data root holding the default
// pictures: the common ground of the frame and media timings.
#pragma once

#include "config/FrontonParams.h"
#include "display/Backglass.h"
#include "display/FrameComposer.h"

#include <filesystem>
#include <memory>
#include <string>

namespace pinstage {

struct BackglassStage {
    std::filesystem::path dir;
    FrontonRecord layout = defaultFronton();
    std::unique_ptr<Backglass> b;
    ImagePresenter presenter;
    FrameContext ctx;

    // name: the data root's folder under the temporary folder, with the process number appended.
    explicit BackglassStage(const std::string& name);
    ~BackglassStage();
    BackglassStage(const BackglassStage&) = delete;
    BackglassStage& operator=(const BackglassStage&) = delete;
    DataRoot root() const { return DataRoot(dir); }
};

} // namespace pinstage
