// The advertisers' browser on the backglass window.
#include "kiosk/WebAdBrowser.h"

#include "kiosk/KioskRules.h"

#include <QWebEngineView>

namespace pinstage {

WebAdBrowser::WebAdBrowser(QWidget* host, LockedBrowser::Journal journal)
    : host_(host), journal_(std::move(journal)) {}

WebAdBrowser::~WebAdBrowser() {
    close();
}

AdBrowser* WebAdBrowser::create() {
    if (browser_ || !host_)
        return this;
    const KioskRect r = adBrowserRect(host_->width(), host_->height());
    browser_ = new LockedBrowser(host_, journal_);
    browser_->setKeyboardAdvice(false);
    browser_->setGeometry(r.left, r.top, r.width, r.height);
    return this;
}

void WebAdBrowser::close() {
    delete browser_.data();
}

void WebAdBrowser::showAddress(const std::string& address) {
    create();
    if (!browser_)
        return;
    if (journal_)
        journal_("ad browser load " + address);
    browser_->load(QString::fromStdString(address));
    browser_->show();
    browser_->raise();
    takeFocus();
}

AdRect WebAdBrowser::rectangle() const {
    if (!browser_)
        return {};
    const QRect g = browser_->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void WebAdBrowser::takeFocus() {
    if (browser_ && browser_->isVisible())
        browser_->view()->setFocus();
}

} // namespace pinstage
