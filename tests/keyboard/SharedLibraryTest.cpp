// The keyboard reaches its users as the shared library libclavpack, not copied into each program.
#include "clavpack/Claviervirtuel.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string objectHolding(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr)
        return {};
    return info.dli_fname;
}

void localFunction() {}

} // namespace

TEST(SharedLibrary, TheKeyboardLivesInLibclavpack) {
    const std::string captions = objectHolding(&pinstage::ButtonCaptions);
    const std::string metaObject = objectHolding(&pinstage::TClavierVirtuel::staticMetaObject);
    const std::string test = objectHolding(reinterpret_cast<const void*>(&localFunction));
    EXPECT_NE(captions.find("libclavpack.so"), std::string::npos) << captions;
    EXPECT_EQ(metaObject, captions);
    EXPECT_NE(test, captions);
}
