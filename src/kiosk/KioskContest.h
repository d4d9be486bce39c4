// The contest with its internet kiosk: the "Internet" key opens a locked browser over the upper
// screen, the keyboard switches to its internet captions and its keys drive the browser.
#pragma once

#include "kiosk/LockedBrowser.h"
#include "kiosk/WebAdBrowser.h"
#include "players/ContestEntry.h"

#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <string>

namespace pinstage {

class KioskContest final : public ContestEntry {
public:
    KioskContest(Machine& m, TGlacefronton& window, WebcamStation& webcam);
    ~KioskContest() override;

    // Opens the kiosk (warning first) or leaves it.
    void BasculerKiosque();
    // Mode 2: the kiosk's browser and address field, the keyboard below them; any other mode: the
    // advertisers' browser, centred (when one was given).
    void CreerNavigateur(int mode);
    void setAdBrowser(WebAdBrowser* ads) { ads_ = ads; }
    // "Entrée" in internet mode: the typed address is loaded.
    void ValiderAdresse();
    bool openKiosk() override;

    bool kioskOpen() const { return keyboard() && keyboard()->InternetEncours; }
    LockedBrowser* browser() const { return browser_; }
    QLineEdit* addressField() const { return address_; }
    const std::string& kioskAddress() const { return address_text_; }
    // The warning's answer (true: OK); by default the modal message the flippers answer.
    void setWarningAnswer(std::function<bool()> answer) { answer_ = std::move(answer); }

protected:
    void kioskKey(int button) override;
    void kioskEnter() override;
    void closeKioskWindows() override;

private:
    bool askWarning();
    void leaveInternetMode();
    void sendKey(int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void dropPrompt();

    QPointer<LockedBrowser> browser_;
    QPointer<QLineEdit> address_;
    std::string address_text_;
    std::function<bool()> answer_;
    WebAdBrowser* ads_ = nullptr;
};

} // namespace pinstage
