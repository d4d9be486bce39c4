// Selection screen geometry from the screen size.
#include "runtime/SelectionLayout.h"

#include <algorithm>

namespace pinstage {

SelectionLayout selectionLayout(int32_t width, int32_t height) {
    SelectionLayout l;
    l.width = std::max(width, 0);
    l.height = std::max(height, 0);
    const int32_t span = std::max(l.width - 100, 0);
    const int32_t w = span / 4;
    const int32_t h = std::max(l.height - 80, 0) / 3;
    for (int i = 0; i < kChoiceCount; ++i) {
        ChoiceRect& r = l.choiceRects[size_t(i)];
        if (i < 4) {
            r.left = i * w + (i + 1) * 20;
            r.top = 20;
            r.bottom = std::max(h, r.top);
        } else {
            r.left = (i - 4) * w + (i - 3) * 20;
            r.top = h + 20;
            r.bottom = 2 * h + 20;
        }
        r.right = r.left + w;
        l.choiceCentres[size_t(i)] = {r.left + span / 8, r.top + h / 2};
    }
    // The texts share the space under the second row.
    const int32_t textTop = 2 * h + 20;
    const int32_t room = std::max(l.height - textTop, 0);
    for (int k = 0; k < 3; ++k)
        l.textLines[size_t(k)] = {l.width / 2, textTop + (k + 1) * room / 4 + kSelectionTextSize / 2};
    return l;
}

ChoiceRect selectionFrame(const SelectionLayout& layout, int choice) {
    const ChoiceRect& r = layout.choiceRects[size_t(wrapChoice(choice))];
    return {r.left + 8, r.top + 8, r.right - 8, r.bottom - 8};
}

std::string_view choicePictureName(int choice) {
    static constexpr std::array<std::string_view, kChoiceCount> names{
        "choix0.bmp", "choix1.bmp", "choix2.bmp", "choix3.bmp",
        "choix4.bmp", "choix5.bmp", "choix6.bmp", "choix7.bmp",
    };
    return names[size_t(wrapChoice(choice))];
}

int wrapChoice(int choice) {
    int r = choice % kChoiceCount;
    return r < 0 ? r + kChoiceCount : r;
}

} // namespace pinstage
