// TClavierVirtuel: the on-screen AZERTY keyboard the player drives with the flipper buttons.
// It paints its own keys, follows the mouse and reports each press through Buffer and its signals.
#pragma once

#include "clavpack/ClavpackExport.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

namespace pinstage {

// Every key of the keyboard; vkbReserved marks an empty place and ends a row.
// clang-format off
enum TVKButton : std::uint8_t {
    vkbReserved,
    vkb0, vkb1, vkb2, vkb3, vkb4, vkb5, vkb6, vkb7, vkb8, vkb9,
    vkbA, vkbB, vkbC, vkbD, vkbE, vkbF, vkbG, vkbH, vkbI, vkbJ, vkbK, vkbL, vkbM,
    vkbN, vkbO, vkbP, vkbQ, vkbR, vkbS, vkbT, vkbU, vkbV, vkbW, vkbX, vkbY, vkbZ,
    vkbDash, vkbEqual, vkbSlash, vkbSemicolon, vkbQuoteMark, vkbBracket1, vkbBracket2, vkbComma, vkbDot,
    vkbBackSlash,
    vkbClear, vkbInternet, vkbBackSpace, vkbAbout, vkbShift, vkbClose, vkbSpace, vkbEntree, vkbHelp,
    vkbPhoto, vkbRefresh,
};
// clang-format on

inline constexpr int VKButtonCount = vkbRefresh + 1; // 58
inline constexpr int VKRowCount = 5;
inline constexpr int VKRowPlaces = 20;

enum TVKState : std::uint8_t { vksNormal, vksHover, vksDown };

// One key on screen: its rectangle in control pixels, its state and its three images.
struct TVKInfo {
    QRect Rect;
    TVKState State = vksNormal;
    QImage Normal;
    QImage Hover;
    QImage Down;
};

using TVKButtonRowOrder = std::array<TVKButton, VKRowPlaces>;
using TVKButtonInfo = std::array<TVKInfo, VKRowPlaces>;
using TVKCaptions = std::array<const char*, VKButtonCount>; // UTF-8

// Captions indexed by TVKButton: text mode lower / upper case, internet mode lower / upper case.
CLAVPACK_EXPORT extern const TVKCaptions ButtonCaptions;
CLAVPACK_EXPORT extern const TVKCaptions ButtonCaptionsUp;
CLAVPACK_EXPORT extern const TVKCaptions ButtonCaptions1;
CLAVPACK_EXPORT extern const TVKCaptions ButtonCaptions1Up;

// True for the 57 real keys; false for vkbReserved and any value outside the enumeration.
CLAVPACK_EXPORT bool isKeyButton(int button);

// Loads one of the key-face resources "KEYNORMAL", "KEYHOVER", "KEYDOWN"; throws PinError when missing.
CLAVPACK_EXPORT QImage LoadKeyFace(const QString& resourceName);

class CLAVPACK_EXPORT TClavierVirtuel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Buffer READ Buffer WRITE setBuffer)
    Q_PROPERTY(QImage ButtonNormal READ ButtonNormal WRITE SetButtonNormal)
    Q_PROPERTY(QImage ButtonHover READ ButtonHover WRITE SetButtonHover)
    Q_PROPERTY(QImage ButtonDown READ ButtonDown WRITE SetButtonDown)

public:
    // Receives "Out of Resources" when one key cannot be drawn; the default shows a message box.
    using ErrorReporter = std::function<void(const QString&)>;

    static constexpr int BigBufferWidth = 750;
    static constexpr int BigBufferHeight = 250;
    static constexpr int ReferenceLineLength = 615;

    explicit TClavierVirtuel(QWidget* owner = nullptr);
    ~TClavierVirtuel() override;

    // The off-screen picture must be rebuilt at the next paint.
    bool RegenerateKeys = false;
    // Internet-mode captions when true.
    bool InternetEncours = false;
    std::array<TVKButtonRowOrder, VKRowCount> RowsOrder{};
    std::array<TVKButtonInfo, VKRowCount> ButtonInfo{};
    // Reference line length in pixels; the space bar is this minus 110.
    int LongueurLigneClavier = ReferenceLineLength;

    void BuildKeyboardLayout();
    QString GetButtonCaption(TVKButton button) const;
    void ButtonType(TVKButton button);

    void GenerateButtonNormal(TVKButton button, QImage& bitmap);
    void GenerateButtonHover(TVKButton button, QImage& bitmap);
    void GenerateButtonDown(TVKButton button, QImage& bitmap);
    void BuildButtonImages();
    void DestroyButtonImages();

    void DownButtonFromPoint(QPoint point);
    void UpButtonFromPoint(QPoint point);
    void HoverButtonFromPoint(QPoint point);
    void ForceUpAllButton();

    // Rebuilds the keyboard picture when RegenerateKeys is set and sizes the control to the keys.
    void DrawButtons();
    // What a control restored from a stored form does: images built, picture to rebuild, text mode.
    void Loaded();

    const QImage& ButtonNormal() const { return FButtonNormal; }
    const QImage& ButtonHover() const { return FButtonHover; }
    const QImage& ButtonDown() const { return FButtonDown; }
    void SetButtonNormal(const QImage& bitmap);
    void SetButtonHover(const QImage& bitmap);
    void SetButtonDown(const QImage& bitmap);

    const QString& Buffer() const { return FBuffer; }
    void setBuffer(const QString& text) { FBuffer = text; }
    bool ShiftMode() const { return FShiftMode; }
    int MinWidth() const { return FMinWidth; }
    int MinHeight() const { return FMinHeight; }
    const QImage& BigBuffer() const { return FBigBuffer; }

    void setErrorReporter(ErrorReporter reporter);
    QSize sizeHint() const override;

signals:
    void OnButtonDown(QObject* Sender, pinstage::TVKButton Button);
    void OnUserDone(QObject* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct KeyPlacement;
    const QImage& imageForState(const TVKInfo& info) const;
    void generateKey(TVKButton button, QImage& bitmap, const QImage& keyTemplate) const;
    void replaceTemplate(QImage& current, const QImage& bitmap);
    KeyPlacement placeKeys() const;
    void reportError(const QString& message);
    void showErrorBox(const QString& message);

    QString FBuffer;
    QImage FButtonNormal;
    QImage FButtonHover;
    QImage FButtonDown;
    QPoint FLastMousePos;
    QPoint FLastMouseClick;
    bool FShiftMode = false;
    int FMinWidth = 1;
    int FMinHeight = 1;
    QImage FBigBuffer;
    bool FMouseCaptured = false;
    bool FErrorBoxPending = false;
    ErrorReporter FErrorReporter;
};

} // namespace pinstage

Q_DECLARE_METATYPE(pinstage::TVKButton)
