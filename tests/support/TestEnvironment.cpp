// Every test program runs headless and silent, whether started by ctest or by hand: the
// variables are set before main, so before any QApplication or SDL initialisation.
#include <cstdlib>

namespace {

struct HeadlessEnvironment {
    HeadlessEnvironment() {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        ::setenv("SDL_AUDIODRIVER", "dummy", 0);
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
        ::setenv("PINSTAGE_SOURCE_DIR", PINSTAGE_SOURCE_DIR, 0);
    }
};

const HeadlessEnvironment headlessEnvironment;

} // namespace
