#include "stage/show/stage_messages.h"

#include <utility>

#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/text/font_setup.h"
#include "stage/core/double_to_int.h"
#include "stage/draw/chara/graphic_source.h"
#include "stage/draw/resources/effect_sheets.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/message_escapes.h"
#include "stage/show/message_place.h"
#include "stage/show/message_window.h"
#include "stage/show/set_message.h"

namespace {

constexpr double kOpeningFrames = 10.0;
constexpr int kRiseFrames = 30;
constexpr int kMarkerCellX = 0;
constexpr int kMarkerCellY = 48;

std::list<cMessage>& Messages(cStageScene& scene) { return scene.m_Draw.shows.messages; }

// A refreshing text whose escapes are due again this frame.
void RefreshText(cMessage& m, int frameCount) {
  const MessageSetup& s = m.setup;
  if (s.kind != kMessageText || !s.escapes || !s.refresh || s.refreshInterval == 0) return;
  if (frameCount % s.refreshInterval != 0) return;
  std::string text = ShownMessageText(s);
  if (text == m.shownText) return;
  m.shownText = std::move(text);
  const text_layout::TextSize size = MeasureMessageText(m.shownText);
  m.width = size.width;
  m.height = size.height;
}

// One frame of a message's advance; true when it has ended.
bool AdvanceMessage(cMessage& m, int held, int frameCount) {
  if (m.setup.duration == kShowTimed && (m.setup.wait || !held) && --m.remaining < 0) return true;
  RefreshText(m, frameCount);
  const std::optional<ScreenSpot> spot = PlaceMessage(m);
  if (!spot) return true;
  m.shownX = spot->x;
  m.shownY = spot->y;
  if (m.setup.kind == kMessageText && m.opening && !m.shownText.empty()) m.openingCounter += 1.0;
  m.shownOpening = m.openingCounter;
  return false;
}

void DrawTextMessage(cMessage& m) {
  UpdateMessageWindow(m);
  if (m.shownText.empty()) return;
  if (m.opening && m.shownOpening < kOpeningFrames) {
    if (!m.setup.openingFrame) return;
    const double s = m.shownOpening * 0.1;
    const int halfW = m.width >> 1;
    const int halfH = m.height >> 1;
    g_Fonts[kMessageFont].DrawBox(&BackBuffer, TruncToInt(m.shownX + halfW - halfW * s),
                                  TruncToInt(m.shownY + halfH - halfH * s), TruncToInt(m.width * s),
                                  TruncToInt(m.height * s));
    return;
  }
  if (m.window.made) DDBlt(&BackBuffer, m.shownX, m.shownY, m.width, m.height, &m.window.surface, 0, 0, 1);
}

void DrawMessage(cMessage& m) {
  const int rise = (kRiseFrames - m.remaining) >> 2;
  switch (m.setup.kind) {
    case kMessageText: DrawTextMessage(m); break;
    case kMessageCell:  // drawn as the item itself is: its kind and number
      DrawGraphicCell(&BackBuffer, m.shownX, m.shownY - rise, m.setup.values[0], m.setup.values[1]);
      break;
    case kMessageMarker:
      if (DDSURFACEDATA* sheet = MarkSheet())
        DDBlt(&BackBuffer, m.shownX, m.shownY - rise, kMarkerSize, kMarkerSize, sheet, kMarkerCellX, kMarkerCellY, 1);
      break;
    default: break;
  }
}

}  // namespace

cMessage& AppendStageMessage(cStageScene& scene, MessageSetup setup) {
  cMessage& message = Messages(scene).emplace_back();
  message.serial = ++scene.m_Draw.shows.nextSerial;
  SetMessage(message, std::move(setup));
  return message;
}

cMessage* FindStageMessage(cStageScene& scene, int id) {
  for (cMessage& message : Messages(scene))
    if (message.setup.idSwitch && message.setup.id == id) return &message;
  return nullptr;
}

void RemoveStageMessage(cStageScene& scene, std::uint32_t serial) {
  RemoveReleasing(
      Messages(scene), [&](const cMessage& message) { return message.serial == serial; }, ReleaseMessageWindow);
}

void ClearMessageBitmaps(cStageScene& scene) {
  for (cMessage& message : Messages(scene)) ReleaseMessageWindow(message);
  Messages(scene).clear();
}

void AdvanceStageMessages(cStageScene& scene, int held) {
  RemoveReleasing(
      Messages(scene), [&](cMessage& message) { return AdvanceMessage(message, held, scene.m_nFrameCount); },
      ReleaseMessageWindow);
}

void DrawStageMessages(cStageScene& scene) {
  for (cMessage& message : Messages(scene)) DrawMessage(message);
}
