#include "SoundParamsSaver.h"

#include "config/FileNames.h"
#include "config/SoundParams.h"

namespace pinstage {

std::function<void()> soundParamsSaver(const DataRoot& root, int configuration, const SoundsRecord& record) {
    auto path = configFile(root, kSoundsFileName, configuration);
    return [path, &record] { saveSoundParams(path, record); };
}

} // namespace pinstage
