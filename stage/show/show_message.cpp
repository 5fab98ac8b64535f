#include "stage/show/show_message.h"

#include "definitions/command_record.h"
#include "stage/chara/chara.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_sinks.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/set_message.h"
#include "stage/show/show_params.h"
#include "stage/show/show_wait.h"
#include "stage/show/stage_messages.h"

namespace {

enum MessageParam : int {
  kParamPlace = 0,
  kParamX = 1,
  kParamY = 2,
  kParamOffsetX = 3,
  kParamOffsetY = 4,
  kParamKeepInside = 5,
  kParamDuration = 6,
  kParamTime = 7,
  kParamWait = 8,
  kParamEscapes = 9,
  kParamScreenFixed = 10,
  kParamRefresh = 11,
  kParamIdSwitch = 12,
  kParamId = 13,
  kParamOpeningFrame = 14,
  kParamErase = 15,
  kParamRefreshInterval = 16,
  kParamOneFrame = 17,
};

constexpr int kMessageSound = 11;
constexpr int kLeadingFrames = 10;

int FollowedNumber(const cChara& chara, int place) {
  if (place >= kPlaceAboveSelf && place <= kPlaceOnSelf) return chara.number;
  if (place >= kPlaceAboveHero && place <= kPlaceOnHero) {
    const cHero* hero = PlayerHero();
    return hero != nullptr ? hero->number : 0;
  }
  return 0;
}

MessageSetup SetupOf(const cChara& chara, const cEdCmd& command, int messageOpen) {
  auto p = [&](int i) { return command.ParamOrZero(i); };
  MessageSetup s;
  s.kind = kMessageText;
  s.text = command.m_strCode;
  s.place = p(kParamPlace);
  s.x = p(kParamX);
  s.y = p(kParamY);
  s.offsetX = p(kParamOffsetX);
  s.offsetY = p(kParamOffsetY);
  s.keepInside = p(kParamKeepInside);
  s.screenFixed = p(kParamScreenFixed);
  s.duration = p(kParamDuration);
  s.frames = ShowFrames(p(kParamTime), p(kParamOneFrame));
  s.wait = p(kParamWait);
  s.followed = FollowedNumber(chara, s.place);
  s.messageOpen = messageOpen;
  s.escapes = p(kParamEscapes);
  s.refresh = p(kParamRefresh);
  s.refreshInterval = p(kParamRefreshInterval);
  s.openingFrame = p(kParamOpeningFrame);
  s.idSwitch = p(kParamIdSwitch);
  s.id = p(kParamId);
  return s;
}

}  // namespace

void ShowMessage(cChara& chara, const cEdCmd& command, int messageOpen) {
  cStageScene* scene = StageScene();
  if (scene == nullptr || scene->m_bQuit.load()) return;
  const bool erase = command.ParamOrZero(kParamErase) != 0;
  const bool withId = command.ParamOrZero(kParamIdSwitch) != 0;
  cMessage* found = withId ? FindStageMessage(*scene, command.ParamOrZero(kParamId)) : nullptr;
  if (erase) {
    if (found != nullptr) RemoveStageMessage(*scene, found->serial);
    return;
  }
  MessageSetup setup = SetupOf(chara, command, messageOpen);
  const int duration = setup.duration;
  const int frames = setup.frames;
  const bool wait = setup.wait != 0;
  cMessage* message = found;
  if (message != nullptr) SetMessage(*message, std::move(setup));
  else message = &AppendStageMessage(*scene, std::move(setup));
  if (!wait) return;
  const std::uint32_t serial = message->serial;
  if (duration == kShowUntilKey && !messageOpen) RequestStageSound(kMessageSound);
  WaitWhileShown(*scene, kWaitMessage, duration, frames, messageOpen ? 0 : kLeadingFrames);
  RemoveStageMessage(*scene, serial);
}
