#include "players/CameraDrivers.h"

namespace pinstage {

std::vector<CameraDriverEntry> listCameraDrivers(const std::vector<CameraDescription>& inputs) {
    std::vector<CameraDriverEntry> list;
    for (size_t i = 0; i < inputs.size() && int(i) < kMaxCameraDrivers; ++i)
        list.push_back({inputs[i].name + ", " + inputs[i].version, int(i)});
    return list;
}

} // namespace pinstage
