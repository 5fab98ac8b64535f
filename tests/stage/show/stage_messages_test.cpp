// Messages on a played stage: "メッセージ" with IDs, replacement and erasing,
// timed messages, refreshing escapes, where a message stands, and the rising
// item marker.
#include "stage/show/stage_messages.h"

#include <gtest/gtest.h>

#include "definitions/save_data/save_data.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/message_place.h"
#include "stage/show/show_message.h"
#include "tests/stage/show/show_fixture.h"
#include "tests/support/scratch_report.h"

namespace show_test {
namespace {

class StageMessagesTest : public ShowTest {
 protected:
  void Show(const std::string& text, const MessageParams& p, int messageOpen = 0) {
    ShowMessage(Hero(), MessageCommand(text, p), messageOpen);
  }
  std::list<cMessage>& Messages() { return Scene().m_Draw.shows.messages; }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const cMessage& m : Messages()) texts.push_back(m.shownText);
    return texts;
  }
  MessageParams WithId(int id) {
    MessageParams p;
    p.idSwitch = 1;
    p.id = id;
    return p;
  }
  // A message of a given size at a place, set up by hand.
  cMessage& Placed(int place, int width, int height) {
    cMessage& m = Messages().emplace_back();
    m.setup.place = place;
    m.setup.followed = Hero().number;
    m.width = width;
    m.height = height;
    return m;
  }
};

TEST_F(StageMessagesTest, IdsReplaceInPlaceAndEraseOnlyTheirMessage) {
  Show("one", WithId(3));
  Show("two", MessageParams{});
  Show("three", WithId(3));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"three", "two"}));
  MessageParams erase = WithId(3);
  erase.erase = 1;
  Show("", erase);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"two"}));
  Show("", erase);  // gone already: nothing
  MessageParams noId;
  noId.erase = 1;
  Show("", noId);  // erasing needs an ID
  EXPECT_EQ(Texts(), (std::vector<std::string>{"two"}));
}

TEST_F(StageMessagesTest, ATimedMessageStaysItsFramesAndOneFrameIsOne) {
  MessageParams p;
  p.duration = kShowTimed;
  p.time = 5;
  Show("timed", p);
  int shown = 0;
  while (!Messages().empty() && shown < 100) {
    Step();
    if (!Messages().empty()) ++shown;
  }
  EXPECT_EQ(shown, 30);
  p.oneFrame = 1;
  Show("once", p);
  Step();
  EXPECT_EQ(Messages().size(), 1u);
  Step();
  EXPECT_TRUE(Messages().empty());
}

TEST_F(StageMessagesTest, RefreshingEscapesFollowTheVariableAtTheirInterval) {
  g_SaveData.m_vVar[5] = 1;
  MessageParams p;
  p.escapes = 1;
  p.refresh = 1;
  p.refreshInterval = 4;
  Show("HP #C5_3Z", p);
  EXPECT_EQ(Texts().front(), "HP 001");
  g_SaveData.m_vVar[5] = 27;
  while (Scene().m_nFrameCount % 4 != 3) Step();
  EXPECT_EQ(Texts().front(), "HP 001");
  Step();
  EXPECT_EQ(Texts().front(), "HP 027");
  MessageParams still = p;
  still.refresh = 0;
  still.idSwitch = 1;
  Show("#C5", still);
  g_SaveData.m_vVar[5] = 3;
  Step(8);
  EXPECT_EQ(Texts().back(), "27");
}

// An escape of a stage variable the stage does not hold (1000 of 0..999)
// stays as written, and its refreshing is reported once.
TEST_F(StageMessagesTest, ARefreshingEscapeBeyondTheStageVariablesIsReportedOnce) {
  const ScratchReport report;
  ASSERT_TRUE(report.Opened());
  MessageParams p;
  p.escapes = 1;
  p.refresh = 1;
  p.refreshInterval = 1;
  Show("#S1000 #S7", p);
  Scene().m_vStageVars[7] = 4;
  Step(60);
  EXPECT_EQ(Texts().front(), "#S1000 4");
  EXPECT_EQ(report.LinesWith("Message text: variable S1000 does not exist (1..999)"), 1);
}

TEST_F(StageMessagesTest, TheOpeningBelongsToKeyMessagesOfAClosedWindow) {
  MessageParams p;
  p.duration = kShowUntilKey;
  Show("a", p);
  Show("b", p, 1);
  p.duration = kShowUntilStageEnd;
  Show("c", p);
  std::vector<int> opening;
  for (const cMessage& m : Messages()) opening.push_back(m.opening);
  EXPECT_EQ(opening, (std::vector<int>{1, 0, 0}));
  Step(3);
  EXPECT_EQ(Messages().front().openingCounter, 3.0);
}

TEST_F(StageMessagesTest, PlacesByScreenBlocksAndCharacter) {
  const cChara& hero = Hero();
  const int left = TruncToInt(hero.x - TruncToInt(g_StageSpace.scrollX.position)) - hero.graphicOffsetX;
  const int top = TruncToInt(hero.y - TruncToInt(g_StageSpace.scrollY.position)) - hero.graphicOffsetY;
  auto spot = [&](int place) {
    cMessage& m = Placed(place, 40, 20);
    m.setup.offsetX = 3;
    m.setup.offsetY = -2;
    m.setup.x = 2;
    m.setup.y = 4;
    const auto s = PlaceMessage(m);
    return s ? std::pair{s->x, s->y} : std::pair{-9999, -9999};
  };
  EXPECT_EQ(spot(kPlaceScreenCentre), (std::pair{3 - 20 + 320, -2 - 10 + 240}));
  const int x = left + hero.drawWidth / 2 - 20 + 3;
  EXPECT_EQ(spot(kPlaceAboveSelf), (std::pair{x, top - 20 - 2}));
  EXPECT_EQ(spot(kPlaceBelowSelf), (std::pair{x, top + hero.drawHeight + 1 - 2}));
  EXPECT_EQ(spot(kPlaceOnSelf), (std::pair{x, top + hero.drawHeight / 2 - 10 - 2}));
  EXPECT_EQ(spot(kPlaceScreenBlocks), (std::pair{64 + 3, 128 - 2}));
  EXPECT_EQ(spot(kPlaceStageBlocks),
            (std::pair{TruncToInt(32.0 * 12 + 3 - g_StageSpace.scrollX.position),
                       TruncToInt(32.0 * 14 - 2 - g_StageSpace.scrollY.position)}));
  EXPECT_EQ(spot(99), (std::pair{2, 4}));
}

TEST_F(StageMessagesTest, KeepInsideHoldsTheWindowOnTheScreenBelowThePanel) {
  auto kept = [&](int offsetX, int offsetY) {
    cMessage& m = Placed(kPlaceScreenBlocks, 100, 50);
    m.setup.keepInside = 1;
    m.setup.screenFixed = 1;
    m.setup.offsetX = offsetX;
    m.setup.offsetY = offsetY;
    const auto s = PlaceMessage(m);
    return std::pair{s->x, s->y};
  };
  EXPECT_EQ(kept(-5, 0), (std::pair{0, 20}));
  EXPECT_EQ(kept(539, 429), (std::pair{540, 430}));  // 539 + 100 reaches 639
  EXPECT_EQ(kept(538, 428), (std::pair{538, 428}));
  EXPECT_EQ(kept(10, 19), (std::pair{10, 20}));
}

TEST_F(StageMessagesTest, AWindowByAGoneCharacterEndsAndAMarkerStaysWhereItWasPut) {
  cMessage& text = Placed(kPlaceAboveSelf, 10, 10);
  text.setup.kind = kMessageText;
  text.setup.followed = 12345;
  EXPECT_FALSE(PlaceMessage(text).has_value());
  cMessage& marker = Placed(kPlaceAboveHero, 16, 16);
  marker.setup.kind = kMessageCell;
  marker.setup.followed = 12345;
  marker.setup.x = 70;
  marker.setup.y = 80;
  const auto spot = PlaceMessage(marker);
  ASSERT_TRUE(spot.has_value());
  EXPECT_EQ(spot->x, 70);
  EXPECT_EQ(spot->y, 80);
}

TEST_F(StageMessagesTest, ScreenPlacedWindowsStayAtTheirStagePointUnlessFixed) {
  cMessage& loose = Placed(kPlaceScreenBlocks, 10, 10);
  loose.setup.screenFixed = 0;
  loose.setup.x = 5;
  cMessage& fixed = Placed(kPlaceAboveSelf, 10, 10);
  fixed.setup.screenFixed = 1;
  const auto firstLoose = PlaceMessage(loose);
  const auto firstFixed = PlaceMessage(fixed);
  g_StageSpace.scrollX.position += 40;
  Hero().x += 100;
  EXPECT_EQ(PlaceMessage(loose)->x, firstLoose->x - 40);
  EXPECT_EQ(PlaceMessage(fixed)->x, firstFixed->x);
}

TEST_F(StageMessagesTest, AMarkerAboveTheHeroStandsByThePlayersHero) {
  MessageSetup setup;
  setup.kind = kMessageCell;
  setup.place = kPlaceAboveHero;
  setup.duration = kShowTimed;
  setup.frames = 30;
  cMessage& marker = AppendStageMessage(Scene(), setup);
  EXPECT_EQ(marker.setup.followed, Hero().number);
  Step();
  const int top = TruncToInt(Hero().y - TruncToInt(g_StageSpace.scrollY.position)) - Hero().graphicOffsetY;
  EXPECT_EQ(marker.shownY, top - kMarkerSize);
}

TEST_F(StageMessagesTest, AnItemMarkerRisesOverItsThirtyFrames) {
  MessageSetup setup;
  setup.kind = kMessageCell;
  setup.values = {2, 5, 0};
  setup.place = kPlaceScreenBlocks;
  setup.x = 3;
  setup.y = 4;
  setup.duration = kShowTimed;
  setup.frames = 30;
  cMessage& marker = AppendStageMessage(Scene(), setup);
  EXPECT_EQ(marker.width, kMarkerSize);
  EXPECT_EQ(marker.height, kMarkerSize);
  Step(30);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(marker.remaining, 0);
  Step();
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace show_test
