#pragma once
// The items of the options screen, by their index in the system record's
// option command list (whose entries give the labels and whether an item
// shows): the four numbers of the user options that are edited in place
// with their ranges, the registration name (edited in the name-entry
// dialog) and the way back.

#include <string>

enum OptionItem : int {
  kOptionPalette = 0,
  kOptionMusic = 1,
  kOptionVolume = 2,
  kOptionRankingMode = 3,
  kOptionName = 4,
  kOptionBack = 5,
  kOptionItemCount = 6,
};

// The edited number of an item 0..3 and its range.
struct OptionValue {
  int* value;
  int min;
  int max;
};
OptionValue OptionValueOf(int item);
// True for the items edited in place.
inline bool IsNumberItem(int item) { return item >= kOptionPalette && item <= kOptionRankingMode; }

// What the screen shows in an item's value column (CP932).
std::string OptionValueText(int item);

// Puts a changed value to work: the palette's colour variant and the sound
// volume at once; music and the ranking mode are read later.
void ApplyOptionValue(int item);
