#pragma once
// What the stage shows over the play: the messages and the shown pictures,
// each list in showing order. Held in the scene's drawing state; both
// change the play (a wait stops the game), so they are in the state hash.

#include <cstdint>
#include <list>

#include "stage/show/message_record.h"
#include "stage/show/shown_picture.h"

struct cShowState {
  std::list<cMessage> messages;
  std::list<cShownPicture> pictures;
  std::uint32_t nextSerial = 0;
};

// Takes the entries that `gone` picks out of a show list, releasing the
// pixels of each with `release` first.
template <typename Entry, typename Gone, typename Release>
void RemoveReleasing(std::list<Entry>& list, Gone gone, Release release) {
  list.remove_if([&](Entry& entry) {
    if (!gone(entry)) return false;
    release(entry);
    return true;
  });
}

template <typename Hasher>
void AddShowState(Hasher& h, const cShowState& state) {
  h.Add(state.messages.size());
  for (const cMessage& m : state.messages) {
    const MessageSetup& s = m.setup;
    for (std::int32_t value : {s.kind, s.place, s.x, s.y, s.offsetX, s.offsetY, s.keepInside, s.screenFixed,
                               s.duration, s.wait, s.followed, s.idSwitch, s.id, s.refresh, s.refreshInterval,
                               m.width, m.height, m.remaining, m.opening, m.remembered, m.rememberedX,
                               m.rememberedY, m.shownX, m.shownY})
      h.Add(value);
    h.Add(m.openingCounter);
    h.Add(m.shownText.size());
    for (char c : m.shownText) h.Add(static_cast<std::uint8_t>(c));
  }
  h.Add(state.pictures.size());
  for (const cShownPicture& p : state.pictures) {
    for (std::int32_t value : {std::int32_t{p.picture}, p.place, p.x, p.y, p.offsetX, p.offsetY, p.width, p.height,
                               p.stretch, p.layer, p.duration, p.followed, p.remaining, p.wait, p.screenFixed,
                               p.remembered, p.rememberedX, p.rememberedY, p.idSwitch, p.id, p.shownX, p.shownY})
      h.Add(value);
    h.Add(p.lastCentreX);
    h.Add(p.lastCentreY);
  }
}
