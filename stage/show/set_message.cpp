#include "stage/show/set_message.h"

#include <utility>

#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/show/message_escapes.h"
#include "stage/show/message_window.h"

std::string ShownMessageText(const MessageSetup& setup) {
  return setup.escapes ? ExpandMessageEscapes(setup.text, &StageEscapeVariable) : setup.text;
}

void SetMessage(cMessage& message, MessageSetup setup) {
  message.setup = std::move(setup);
  MessageSetup& s = message.setup;
  if (s.followed == 0 && s.place >= kPlaceAboveHero && s.place <= kPlaceOnHero)
    if (const cHero* hero = PlayerHero()) s.followed = hero->number;
  message.remaining = s.frames;
  message.opening = s.duration == kShowUntilKey && !s.messageOpen ? 1 : 0;
  message.openingCounter = 0;
  message.remembered = message.rememberedX = message.rememberedY = 0;
  message.shownText = s.kind == kMessageText ? ShownMessageText(s) : std::string();
  if (s.kind == kMessageText) {
    const text_layout::TextSize size = MeasureMessageText(message.shownText);
    message.width = size.width;
    message.height = size.height;
  } else if (s.kind == kMessageCell || s.kind == kMessageMarker) {
    message.width = message.height = kMarkerSize;
  } else {
    message.width = message.height = 0;
  }
  UpdateMessageWindow(message);
}
