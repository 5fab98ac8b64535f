#include "stage/show/message_place.h"

#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/objects/stage_space.h"
#include "stage/show/message_record.h"

namespace {

constexpr int kBlock = 32;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kPanelHeight = 20;

bool ByCharacter(int place) { return place >= kPlaceAboveSelf && place <= kPlaceOnHero; }

// Above (1, 4), below (2, 5) or on (3, 6) the followed character's drawn cell.
ScreenSpot NextToCharacter(const cMessage& m, const cChara& chara) {
  const double scrollX = TruncToInt(g_StageSpace.scrollX.position);
  const double scrollY = TruncToInt(g_StageSpace.scrollY.position);
  const int left = TruncToInt(chara.x - scrollX) - chara.graphicOffsetX;
  const int top = TruncToInt(chara.y - scrollY) - chara.graphicOffsetY;
  const MessageSetup& s = m.setup;
  ScreenSpot spot{left + (chara.drawWidth >> 1) - (m.width >> 1) + s.offsetX, 0};
  switch ((s.place - 1) % 3) {
    case 0: spot.y = top - m.height + s.offsetY; break;
    case 1: spot.y = top + chara.drawHeight + 1 + s.offsetY; break;
    default: spot.y = top + (chara.drawHeight >> 1) - (m.height >> 1) + s.offsetY; break;
  }
  return spot;
}

// The spot by place; the set-up's x and y (as dots) for any other place.
std::optional<ScreenSpot> SpotByPlace(const cMessage& m) {
  const MessageSetup& s = m.setup;
  if (ByCharacter(s.place)) {
    if (const cChara* chara = FindCharaById(s.followed)) return NextToCharacter(m, *chara);
    if (s.kind == kMessageText) return std::nullopt;
    return ScreenSpot{s.x, s.y};
  }
  const double scrollX = g_StageSpace.scrollX.position;
  const double scrollY = g_StageSpace.scrollY.position;
  switch (s.place) {
    case kPlaceScreenCentre: return ScreenSpot{s.offsetX - (m.width >> 1) + 320, s.offsetY - (m.height >> 1) + 240};
    case kPlaceScreenBlocks: return ScreenSpot{kBlock * s.x + s.offsetX, kBlock * s.y + s.offsetY};
    case kPlaceStageBlocks:
      return ScreenSpot{
          TruncToInt(kBlock * (static_cast<double>(g_StageSpace.blockOffsetX) + s.x) + s.offsetX - scrollX),
          TruncToInt(kBlock * (static_cast<double>(g_StageSpace.blockOffsetY) + s.y) + s.offsetY - scrollY)};
    default: return ScreenSpot{s.x, s.y};
  }
}

void HoldWhereFirstShown(cMessage& m, ScreenSpot& spot) {
  const MessageSetup& s = m.setup;
  const bool screenPlaced = s.place == kPlaceScreenCentre || s.place == kPlaceScreenBlocks;
  const double scrollX = g_StageSpace.scrollX.position;
  const double scrollY = g_StageSpace.scrollY.position;
  if (!screenPlaced && s.screenFixed) {
    if (!m.remembered) {
      m.remembered = 1;
      m.rememberedX = spot.x;
      m.rememberedY = spot.y;
    }
    spot = {m.rememberedX, m.rememberedY};
  } else if (screenPlaced && !s.screenFixed) {
    if (!m.remembered) {
      m.remembered = 1;
      m.rememberedX = TruncToInt(scrollX + 0.5 + spot.x);
      m.rememberedY = TruncToInt(scrollY + 0.5 + spot.y);
      return;
    }
    spot = {TruncToInt(m.rememberedX - (scrollX - 0.5)), TruncToInt(m.rememberedY - (scrollY - 0.5))};
  }
}

void KeepInside(const cMessage& m, ScreenSpot& spot) {
  if (spot.x < 0) spot.x = 0;
  else if (spot.x + m.width >= kScreenWidth - 1) spot.x = kScreenWidth - m.width;
  if (spot.y < kPanelHeight) spot.y = kPanelHeight;
  else if (spot.y + m.height >= kScreenHeight - 1) spot.y = kScreenHeight - m.height;
}

}  // namespace

std::optional<ScreenSpot> PlaceMessage(cMessage& message) {
  std::optional<ScreenSpot> spot = SpotByPlace(message);
  if (!spot) return std::nullopt;
  HoldWhereFirstShown(message, *spot);
  if (message.setup.keepInside) KeepInside(message, *spot);
  return spot;
}
