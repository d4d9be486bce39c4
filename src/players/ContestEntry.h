// The contest before a game: the player's photo from the webcam and a name typed on the on-screen
// keyboard, with the flipper buttons moving the pointer and the start button clicking. It is the
// machine's PlayerEntry: the game flow opens, steps and closes it.
#pragma once

#include "clavpack/Claviervirtuel.h"
#include "players/ContestRules.h"
#include "players/WebcamStation.h"
#include "runtime/Machine.h"

#include <QPointer>
#include <QString>

#include <filesystem>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace pinstage {

class TGlacefronton;

class ContestEntry : public PlayerEntry {
public:
    // Becomes m.hooks.entry until destroyed; its windows are children of the backglass window.
    ContestEntry(Machine& m, TGlacefronton& window, WebcamStation& webcam);
    ~ContestEntry() override;
    ContestEntry(const ContestEntry&) = delete;
    ContestEntry& operator=(const ContestEntry&) = delete;

    bool nameStepActive() const override { return flow_.active; }
    bool nameStepDone() const override { return flow_.active && flow_.finished; }
    void startNameStep(Machine& m) override;
    void closeNameStep(Machine& m) override;
    void runNameStep(Machine&) override { EtapeConcours(); }
    bool keyboardFormOpen() const override;
    void createCaptureWindow(Machine& m) override;

    // Mode 1: the contest's windows and the pointer table (mode 2, the kiosk, is not built).
    void PreparerFenetresConcours(int mode);
    void EtapeConcours();
    void FermerFenetresConcours();
    void PrendrePhotoJoueur();
    void ToucheClavier(int button);
    void SaisieTerminee();

    const ContestFlow& flow() const { return flow_; }
    TClavierVirtuel* keyboard() const { return keyboard_; }
    QLineEdit* nameField() const { return field_; }
    QPlainTextEdit* memo() const { return memo_; }
    QWidget* panel() const { return panel_; }
    QLabel* photoWindow() const { return photo_; }
    const std::filesystem::path& photoPath() const { return photoPath_; }
    // The kiosk's entry when its option reads "oui"; false until the kiosk exists (refusal shown).
    virtual bool openKiosk() { return false; }

protected:
    // The kiosk's part of the dispatch while the keyboard is in internet mode: a key, "Entrée",
    // and the closing of its windows with the contest's.
    virtual void kioskKey(int /*button*/) {}
    virtual void kioskEnter() {}
    virtual void closeKioskWindows() {}
    // Back to the contest's first step: photo mode, windows prepared again at the next pass.
    void restartContest() {
        flow_.photoMode = true;
        flow_.windowsPrepared = false;
    }
    Machine& machine() { return m_; }
    TGlacefronton& backglass() { return window_; }
    WebcamStation& webcamStation() { return webcam_; }

private:
    FicheJoueur& record();
    void placeWindows();
    void drawPanelInstructions();
    void showMemo(std::initializer_list<const char*> lines);
    void reloadPhoto();
    void injectCharacter(const KeyStroke& k);
    void injectKey(int key, const QString& text = {});
    void copyName();
    void clickAtPointer();
    void releasePointer();
    // A timed modal message the buttons answer (Escape after ms).
    void message(int icon, const QString& title, const QString& text, uint32_t ms);

    Machine& m_;
    TGlacefronton& window_;
    WebcamStation& webcam_;
    ContestFlow flow_;
    std::filesystem::path photoPath_;
    QPointer<QLabel> panel_;
    QPointer<QLabel> photo_;
    QPointer<QWidget> nameWin_;
    QPointer<QPlainTextEdit> memo_;
    QPointer<QLineEdit> field_;
    QPointer<TClavierVirtuel> keyboard_;
};

} // namespace pinstage
