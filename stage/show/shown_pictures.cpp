#include "stage/show/shown_pictures.h"

#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/message_record.h"

namespace {

constexpr int kBlock = 32;

std::list<cShownPicture>& Pictures(cStageScene& scene) { return scene.m_Draw.shows.pictures; }

struct Spot {
  int x = 0;
  int y = 0;
};

// Centred on the followed character (its last known centre once it is
// gone), or at the stage point fixed when it was shown.
Spot OnCharacter(cShownPicture& p, double scrollX, double scrollY) {
  if (!g_StageRules.pictureFollow) return {TruncToInt(p.x - scrollX), TruncToInt(p.y - scrollY)};
  if (const cChara* chara = FindCharaById(p.followed)) {
    p.lastCentreX = chara->x + (chara->hitWidth >> 1);
    p.lastCentreY = chara->y + (chara->hitHeight >> 1);
  }
  return {TruncToInt(TruncToInt(p.lastCentreX - (p.width >> 1)) + p.offsetX - scrollX),
          TruncToInt(TruncToInt(p.lastCentreY - (p.height >> 1)) + p.offsetY - scrollY)};
}

Spot SpotByPlace(cShownPicture& p, double scrollX, double scrollY) {
  switch (p.place) {
    case kPictureScreenCentre: return {p.offsetX - (p.width >> 1) + 320, p.offsetY - (p.height >> 1) + 240};
    case kPictureOnSelf:
    case kPictureOnHero: return OnCharacter(p, scrollX, scrollY);
    case kPictureScreenBlocks: return {kBlock * p.x + p.offsetX, kBlock * p.y + p.offsetY};
    case kPictureStageBlocks:
      return {TruncToInt(kBlock * (static_cast<double>(g_StageSpace.blockOffsetX) + p.x) + p.offsetX - scrollX),
              TruncToInt(kBlock * (static_cast<double>(g_StageSpace.blockOffsetY) + p.y) + p.offsetY - scrollY)};
    default: return {p.x, p.y};
  }
}

// One frame of a picture's advance; true when it has ended.
bool AdvancePicture(cShownPicture& p, int held) {
  if (p.duration == kShowTimed && (p.wait || !held) && --p.remaining < 0) return true;
  PlaceShownPicture(p);
  return false;
}

void DrawPicture(cShownPicture& p) {
  if (!p.hasSurface) return;
  if (p.stretch)
    DDBltStretch(&BackBuffer, p.shownX, p.shownY, p.width, p.height, &p.surface, 0, 0, p.surface.nWidth,
                 p.surface.nHeight, 1);
  else
    DDBlt(&BackBuffer, p.shownX, p.shownY, p.width, p.height, &p.surface, 0, 0, 1);
}

}  // namespace

void PlaceShownPicture(cShownPicture& p) {
  const double scrollX = g_StageSpace.scrollX.position;
  const double scrollY = g_StageSpace.scrollY.position;
  Spot spot = SpotByPlace(p, scrollX, scrollY);
  const bool screenPlaced = p.place == kPictureScreenCentre || p.place == kPictureScreenBlocks;
  const bool stagePlaced = p.place == kPictureOnSelf || p.place == kPictureOnHero || p.place == kPictureStageBlocks;
  if (stagePlaced && p.screenFixed) {
    if (!p.remembered) {
      p.remembered = 1;
      p.rememberedX = spot.x;
      p.rememberedY = spot.y;
    }
    spot = {p.rememberedX, p.rememberedY};
  } else if (screenPlaced && !p.screenFixed) {
    if (!p.remembered) {
      p.remembered = 1;
      p.rememberedX = TruncToInt(spot.x + scrollX + 0.5);
      p.rememberedY = TruncToInt(spot.y + scrollY + 0.5);
    } else {
      spot = {TruncToInt(p.rememberedX - (scrollX - 0.5)), TruncToInt(p.rememberedY - (scrollY - 0.5))};
    }
  }
  p.shownX = spot.x;
  p.shownY = spot.y;
}

cShownPicture* FindShownPicture(cStageScene& scene, int id) {
  for (cShownPicture& picture : Pictures(scene))
    if (picture.idSwitch && picture.id == id) return &picture;
  return nullptr;
}

void ReleasePictureSurface(cShownPicture& picture) {
  if (picture.hasSurface) DDReleaseSurface(&picture.surface);
  picture.hasSurface = false;
}

void RemoveShownPicture(cStageScene& scene, std::uint32_t serial) {
  RemoveReleasing(
      Pictures(scene), [&](const cShownPicture& picture) { return picture.serial == serial; }, ReleasePictureSurface);
}

void ClearShownPictures(cStageScene& scene) {
  for (cShownPicture& picture : Pictures(scene)) ReleasePictureSurface(picture);
  Pictures(scene).clear();
}

void AdvanceShownPictures(cStageScene& scene, int held) {
  RemoveReleasing(
      Pictures(scene), [&](cShownPicture& picture) { return AdvancePicture(picture, held); }, ReleasePictureSurface);
}

void DrawShownPictures(cStageScene& scene, int layer) {
  for (cShownPicture& picture : Pictures(scene))
    if (layer < 0 || picture.layer == layer) DrawPicture(picture);
}
