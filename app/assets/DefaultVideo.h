// The default advertising video VideoPub0.avi: a few seconds of drawn frames in Motion-JPEG, so
// that the video step of the attract sequence shows something on a new machine. Deterministic.
#pragma once

#include "platform/DataRoot.h"

#include <QImage>

#include <filesystem>
#include <vector>

namespace pinstage {

constexpr int kDefaultVideoWidth = 640;
constexpr int kDefaultVideoHeight = 480;
constexpr int kDefaultVideoFrames = 40;
constexpr uint32_t kDefaultVideoMs = 4000;

// Frame k (0 to kDefaultVideoFrames - 1) of the default video. Needs a QGuiApplication (fonts).
QImage drawDefaultVideoFrame(int k);

// Writes VideoPub0.avi into the video directory when missing; returns the paths written. Throws
// PinError when the file cannot be written.
std::vector<std::filesystem::path> writeDefaultVideos(const DataRoot& root);

} // namespace pinstage
