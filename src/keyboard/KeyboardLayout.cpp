// The AZERTY layout of the five rows, the caption of a key and what a key press does to Buffer.
#include "clavpack/Claviervirtuel.h"

namespace pinstage {

void TClavierVirtuel::BuildKeyboardLayout() {
    static const std::array<std::initializer_list<TVKButton>, VKRowCount> rows = {{
        {vkb0, vkb1, vkb2, vkb3, vkb4, vkb5, vkb6, vkb7, vkb8, vkb9, vkbDash, vkbEqual, vkbBackSpace,
         vkbClear},
        {vkbA, vkbZ, vkbE, vkbR, vkbT, vkbY, vkbU, vkbI, vkbO, vkbP, vkbBracket1, vkbBracket2, vkbShift,
         vkbEntree},
        {vkbQ, vkbS, vkbD, vkbF, vkbG, vkbH, vkbJ, vkbK, vkbL, vkbM, vkbQuoteMark, vkbSlash, vkbPhoto,
         vkbInternet},
        {vkbW, vkbX, vkbC, vkbV, vkbB, vkbN, vkbSemicolon, vkbComma, vkbDot, vkbBackSlash, vkbHelp, vkbAbout,
         vkbClose},
        {vkbSpace, vkbRefresh},
    }};
    for (int row = 0; row < VKRowCount; ++row) {
        RowsOrder[row].fill(vkbReserved);
        int place = 0;
        for (TVKButton key : rows[row])
            RowsOrder[row][place++] = key;
    }
}

QString TClavierVirtuel::GetButtonCaption(TVKButton button) const {
    const TVKCaptions& captions = InternetEncours ? (FShiftMode ? ButtonCaptions1Up : ButtonCaptions1)
                                                  : (FShiftMode ? ButtonCaptionsUp : ButtonCaptions);
    // A value outside the enumeration reads as an empty place rather than past the table.
    const int index = (button < VKButtonCount) ? button : vkbReserved;
    return QString::fromUtf8(captions[index]);
}

void TClavierVirtuel::ButtonType(TVKButton button) {
    switch (button) {
    case vkbPhoto:
        FBuffer = QStringLiteral("10");
        break;
    case vkbBackSpace:
        FBuffer = QStringLiteral("11");
        break;
    case vkbClear:
        FBuffer = QStringLiteral("12");
        break;
    case vkbSpace:
        FBuffer = QStringLiteral("13");
        break;
    case vkbEntree:
        FBuffer = QStringLiteral("14");
        break;
    case vkbInternet:
        FBuffer = QStringLiteral("15");
        break;
    case vkbHelp:
        FBuffer = QStringLiteral("16");
        break;
    case vkbAbout:
        FBuffer = QStringLiteral("17");
        break;
    case vkbShift:
        FShiftMode = !FShiftMode;
        BuildButtonImages(); // the captions follow the case at once
        FBuffer = QStringLiteral("18");
        break;
    case vkbRefresh:
        FBuffer = QStringLiteral("19");
        break;
    case vkbClose:
        emit OnUserDone(this);
        break;
    default:
        // An empty place or a value outside the enumeration types nothing.
        if (isKeyButton(button))
            FBuffer += GetButtonCaption(button);
        break;
    }
}

} // namespace pinstage
