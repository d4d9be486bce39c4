// The table selection screen's geometry: eight choice cells in two rows of four, the cursor point
// of each, the red frame around the current one and the place of the three text lines.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace pinstage {

constexpr int kChoiceCount = 8;

struct ChoiceRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const ChoiceRect&) const = default;
};

struct ChoicePoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const ChoicePoint&) const = default;
};

struct SelectionLayout {
    int32_t width = 0;
    int32_t height = 0;
    std::array<ChoiceRect, kChoiceCount> choiceRects{};
    std::array<ChoicePoint, kChoiceCount> choiceCentres{};
    // The three text lines, centred on x, baseline at y.
    std::array<ChoicePoint, 3> textLines{};
};

// Texts of the screen, in their order.
inline constexpr std::array<std::string_view, 3> kSelectionTexts{
    "Utilisez les boutons de flipper gauche et droite",
    "pour selectionner l'image du jeu sur lequel vous voulez jouer",
    "Pour valider, appuyez sur le bouton d'engagement d'une partie",
};

// Font size of the texts and the colours of the screen (red, green, blue).
constexpr int kSelectionTextSize = 25;
constexpr std::array<int, 3> kSelectionTextColour{0, 0, 255};
constexpr std::array<int, 3> kSelectionFrameColour{255, 12, 127};
constexpr int kSelectionFramePen = 16;
// The part of each choice picture that is shown, scaled into its cell.
constexpr ChoiceRect kChoiceSourceArea{0, 0, 320, 240};

// Cells for a screen of width x height: cell width (W - 100) / 4 and height (H - 80) / 3 (integer
// division); a screen too small for the margins gives empty cells, never negative sizes.
SelectionLayout selectionLayout(int32_t width, int32_t height);

// The red frame of choice i: 8 pixels inside its cell, so the 16-pixel pen stays within it.
ChoiceRect selectionFrame(const SelectionLayout& layout, int choice);

// The picture file of choice i: "choix" + i + ".bmp".
std::string_view choicePictureName(int choice);

// Wraps a choice number into 0..7 (previous from 0 is 7, next from 7 is 0).
int wrapChoice(int choice);

} // namespace pinstage
