#include "DefaultSoundNames.h"

#include "config/SoundParams.h"
#include "config/SoundsRecord.h"

#include <algorithm>

namespace pinstage {

std::string defaultSoundFileName(int sound) {
    if (sound < 0 || sound >= kSoundCount)
        return {};
    return soundFileNames[size_t(sound)];
}

std::vector<std::string> defaultSoundFiles() {
    std::vector<std::string> files;
    auto add = [&](const std::string& name) {
        if (std::find(files.begin(), files.end(), name) == files.end())
            files.push_back(name);
    };
    for (int i = 0; i < kSoundCount; ++i)
        add(defaultSoundFileName(i));
    add(kStartButtonSound);
    add(kFlipperButtonSound);
    return files;
}

} // namespace pinstage
