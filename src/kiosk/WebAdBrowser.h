// The advertisers' browser: a locked browser on 80 % of the backglass window, centred, made on
// demand for the internet advertisers and closed with the media step.
#pragma once

#include "kiosk/LockedBrowser.h"
#include "media/AdBrowser.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

namespace pinstage {

class WebAdBrowser final : public AdBrowser {
public:
    WebAdBrowser(QWidget* host, LockedBrowser::Journal journal);
    ~WebAdBrowser() override;
    WebAdBrowser(const WebAdBrowser&) = delete;
    WebAdBrowser& operator=(const WebAdBrowser&) = delete;

    // Creates the browser when missing (advertising placement); itself, for the media's factory.
    AdBrowser* create();
    // Stops the page and frees the browser with what the page left.
    void close();

    bool exists() const override { return !browser_.isNull(); }
    bool visible() const override { return browser_ && browser_->isVisible(); }
    void showAddress(const std::string& address) override;
    AdRect rectangle() const override;
    void takeFocus() override;

    LockedBrowser* browser() const { return browser_; }

private:
    QPointer<QWidget> host_;
    LockedBrowser::Journal journal_;
    QPointer<LockedBrowser> browser_;
};

} // namespace pinstage
