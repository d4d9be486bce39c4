#include "SpineFixture.h"

#include "runtime/MainLoop.h"

namespace pinstage::test {

void SpineTest::turns(uint32_t ms) {
    uint32_t start = clock.now();
    while (m.rt.mainLoopRunning && uint32_t(clock.now() - start) < ms) {
        loopTurn(m);
        clock.advance(1);
    }
}

} // namespace pinstage::test
