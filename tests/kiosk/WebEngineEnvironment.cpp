// One QApplication for the whole run, with the engine's sandbox prepared first as the program does,
// and an application data folder of the run's own, so that what the engine writes there shows.
#include "kiosk/LockedBrowser.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class WebEngineEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (QCoreApplication::instance())
            return;
        qputenv("XDG_DATA_HOME", dataHome_.path().toLocal8Bit());
        pinstage::prepareWebEngineSandbox();
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[12] = "test_kiosk";
    char* argv_[2] = {name_, nullptr};
    QTemporaryDir dataHome_;
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new WebEngineEnvironment);

} // namespace
