// One QApplication for the window tests, on the offscreen platform with two screens side by side
// (1920 x 1080 and 1280 x 1024), made when the tests start rather than at test discovery.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        config_ = std::filesystem::temp_directory_path() /
                  ("pinstage-screens-" + std::to_string(::getpid()) + ".json");
        std::ofstream(config_)
            << R"({"screens":[)"
            << R"({"name":"S1","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"dpr":1},)"
            << R"({"name":"S2","x":1920,"y":0,"width":1280,"height":1024,"logicalDpi":96,"dpr":1}]})";
        std::string platform = "offscreen:configfile=" + config_.string();
        ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override {
        app_.reset();
        std::filesystem::remove(config_);
    }

private:
    int argc_ = 1;
    char name_[16] = "test_simulator";
    char* argv_[2] = {name_, nullptr};
    std::filesystem::path config_;
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
