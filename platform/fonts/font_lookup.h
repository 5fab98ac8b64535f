#pragma once
// Which installed font draws the game's text, found through fontconfig. The
// game's data names Japanese Windows faces; they map to the IPA Gothic faces
// that Debian ships (the proportional one for names that contain the
// full-width letter "Ｐ"). Where those are missing, any face that has the
// Japanese characters stands in for them.

#include <string>
#include <string_view>

namespace platform {

struct FontChoice {
  std::string path;  // empty when no font is installed at all
  int index = 0;     // the face within the file (a collection holds several)
  bool drawsJapanese = false;
  std::string family;  // the fontconfig family it was chosen for
};

// Whether the data names the face in Latin letters (a Windows Latin face
// such as "Arial"): it is then asked for by that name.
bool IsLatinFaceName(std::string_view faceNameUtf8);

// The fontconfig family that a face name of the data stands for.
std::string FontFamilyForFaceName(std::string_view faceNameUtf8);

// The font that draws a family's text: fontconfig's match, preferring faces
// that have the Japanese characters (the game's text is Japanese whatever
// face it names). For the Japanese families the face must have them: when
// the match lacks them, the best face that has them is taken, and the match
// only when no installed face has them.
FontChoice ChooseFont(std::string_view familyUtf8);

// The face that draws a character a family's face lacks, as a Windows
// face's linked faces fill in for it: the first among the faces fontconfig
// ranks for the family (Japanese faces first) that has the character. An
// empty path when no installed outline face has it.
FontChoice ChooseFontForCharacter(std::string_view familyUtf8, char32_t codePoint);

// The file of ChooseFont; empty when none is found.
std::string FindFontFile(std::string_view familyUtf8);

}  // namespace platform
