#pragma once

#include <QPoint>

#include <array>

// Where the table's parts stand on the board, in board pixels.
namespace lastling::shell::board_layout {

// Places of each seat group's controls, by screen position: bottom, left, top, right.
struct GroupPlaces {
    QPoint name;
    QPoint score;
    QPoint bonus;
    QPoint hand;
    QPoint played;
    QPoint took;
    QPoint badge; // OUT and WINNER
    QPoint eyes;
    QPoint marker;
};

// clang-format off
// The played cards form a cross that nothing else covers; the eyes sit over the name, clear of
// the turn marker.
inline const std::array<GroupPlaces, 4> kPlaces = {{
    {{114, 386}, {204, 386}, {232, 386}, {16, 406}, {213, 284}, {178, 337}, {104, 406}, {114, 373}, {101, 382}},
    {{21, 158}, {111, 158}, {139, 158}, {8, 176}, {141, 216}, {141, 316}, {8, 176}, {21, 146}, {8, 152}},
    {{214, 7}, {304, 7}, {332, 7}, {200, 26}, {213, 124}, {288, 124}, {200, 26}, {175, 10}, {200, 2}},
    {{349, 198}, {439, 198}, {467, 198}, {359, 218}, {285, 216}, {320, 315}, {359, 218}, {349, 186}, {336, 192}},
}};
// clang-format on

// Where each seat's line of name, score and bonus must end: the table's right edge, and for
// the left seat the top seat's cards.
inline constexpr std::array<int, 4> kNameLineEnd = {492, 205, 492, 492};
inline constexpr int kScoreGap = 4; // between name and score
inline constexpr int kBonusGap = 2; // between score and bonus

// "Play to Score: " keeps this centre however wide its target.
inline constexpr QPoint kPlayToScoreAt(34, 16);
inline constexpr int kPlayToScoreWidth = 103;
inline constexpr int kStatusWidth = 487;

inline const std::array<QPoint, 4> kHandSlotPlaces = {
    {{104, 406}, {184, 406}, {264, 406}, {344, 406}}};
inline constexpr int kHintLift = 16; // the hinted card stands this far above the others

} // namespace lastling::shell::board_layout
