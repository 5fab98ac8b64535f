#include "platform/fonts/font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>

namespace platform {
namespace {

constexpr std::string_view kFullWidthP = "Ｐ";
constexpr const char* kFixedFamily = "IPAGothic";
constexpr const char* kProportionalFamily = "IPAPGothic";
constexpr const char* kJapanese = "ja";

const FcChar8* FcText(const char* text) { return reinterpret_cast<const FcChar8*>(text); }

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Fontconfig keeps global state that is not safe to initialise or query from
// two threads at once; lookups are rare (one per font creation).
std::mutex& FontconfigMutex() {
  static std::mutex mutex;
  return mutex;
}

// The faces fontconfig ranks for a family, best first: what a face lacks is
// looked for down this list. Kept per family; called with FontconfigMutex held.
std::map<std::string, FcFontSet*>& SortedFaces() {
  static std::map<std::string, FcFontSet*> sorted;
  return sorted;
}

// Fontconfig's global configuration, loaded on first use and freed at exit;
// called with FontconfigMutex held. A lookup may still run on another thread
// when the process ends (the report's text-face line): the clean-up waits for it.
bool InitFontconfig() {
  static const bool ready = [] {
    if (!FcInit()) return false;
    SortedFaces();  // made before the clean-up is registered, it outlives it
    std::atexit([] {
      std::lock_guard lock(FontconfigMutex());
      for (auto& sorted : SortedFaces())
        if (sorted.second) FcFontSetDestroy(sorted.second);
      SortedFaces().clear();
      FcFini();
    });
    return true;
  }();
  return ready;
}

bool HasJapanese(const FcPattern* font) {
  FcLangSet* languages = nullptr;
  return FcPatternGetLangSet(font, FC_LANG, 0, &languages) == FcResultMatch &&
         FcLangSetHasLang(languages, FcText(kJapanese)) == FcLangEqual;
}

FontChoice ChoiceOf(const FcPattern* font) {
  FontChoice choice;
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return choice;
  choice.path = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(font, FC_INDEX, 0, &choice.index);
  choice.drawsJapanese = HasJapanese(font);
  return choice;
}

// The face that fontconfig ranks first among those that have the Japanese
// characters; an empty path when none has them.
FontChoice BestJapaneseFont(FcPattern* pattern) {
  FontChoice choice;
  FcResult result = FcResultNoMatch;
  FcFontSet* sorted = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
  if (!sorted) return choice;
  for (int i = 0; i < sorted->nfont && choice.path.empty(); ++i)
    if (HasJapanese(sorted->fonts[i])) choice = ChoiceOf(sorted->fonts[i]);
  FcFontSetDestroy(sorted);
  return choice;
}

FcPattern* JapanesePatternFor(const std::string& family) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, FcText(family.c_str()));
  FcPatternAddString(pattern, FC_LANG, FcText(kJapanese));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  return pattern;
}

// Whether an outline face (one that scales to any size) has the character.
bool DrawsCharacter(const FcPattern* font, char32_t codePoint) {
  FcBool outline = FcFalse;
  FcCharSet* characters = nullptr;
  return FcPatternGetBool(font, FC_OUTLINE, 0, &outline) == FcResultMatch && outline &&
         FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) == FcResultMatch &&
         FcCharSetHasChar(characters, static_cast<FcChar32>(codePoint));
}

}  // namespace

bool IsLatinFaceName(std::string_view faceNameUtf8) { return !faceNameUtf8.empty() && IsAscii(faceNameUtf8); }

std::string FontFamilyForFaceName(std::string_view faceNameUtf8) {
  if (IsLatinFaceName(faceNameUtf8)) return std::string(faceNameUtf8);
  return faceNameUtf8.find(kFullWidthP) != std::string_view::npos ? kProportionalFamily : kFixedFamily;
}

FontChoice ChooseFont(std::string_view familyUtf8) {
  std::lock_guard lock(FontconfigMutex());
  if (!InitFontconfig()) return {};
  const std::string family(familyUtf8);
  FcPattern* pattern = JapanesePatternFor(family);
  FcResult result = FcResultNoMatch;
  FontChoice choice;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    choice = ChoiceOf(match);
    FcPatternDestroy(match);
  }
  if (!choice.drawsJapanese && (family == kFixedFamily || family == kProportionalFamily)) {
    if (FontChoice japanese = BestJapaneseFont(pattern); !japanese.path.empty()) choice = std::move(japanese);
  }
  FcPatternDestroy(pattern);
  choice.family = family;
  return choice;
}

FontChoice ChooseFontForCharacter(std::string_view familyUtf8, char32_t codePoint) {
  std::lock_guard lock(FontconfigMutex());
  if (!InitFontconfig()) return {};
  const std::string family(familyUtf8);
  auto [sorted, added] = SortedFaces().try_emplace(family, nullptr);
  if (added) {
    FcPattern* pattern = JapanesePatternFor(family);
    FcResult result = FcResultNoMatch;
    sorted->second = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
  }
  FontChoice choice;
  if (const FcFontSet* faces = sorted->second)
    for (int i = 0; i < faces->nfont && choice.path.empty(); ++i)
      if (DrawsCharacter(faces->fonts[i], codePoint)) choice = ChoiceOf(faces->fonts[i]);
  choice.family = family;
  return choice;
}

std::string FindFontFile(std::string_view familyUtf8) { return ChooseFont(familyUtf8).path; }

}  // namespace platform
