// Where a shown picture stands: on a character it follows (or its last
// centre once it is gone, or a fixed stage point without following), on
// stage blocks, and held to the screen or the stage by the pin switch.
#include <gtest/gtest.h>

#include "stage/chara/chara.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/show_picture.h"
#include "stage/show/shown_pictures.h"
#include "tests/stage/show/show_fixture.h"

namespace show_test {
namespace {

class PicturePlaceTest : public ShowTest {
 protected:
  cShownPicture& Show(PictureParams p) {
    ShowPicture(Hero(), PictureCommand(p));
    return Scene().m_Draw.shows.pictures.back();
  }
  double CentreX() { return Hero().x + (Hero().hitWidth >> 1); }
  double CentreY() { return Hero().y + (Hero().hitHeight >> 1); }
  double& ScrollX() { return g_StageSpace.scrollX.position; }
};

TEST_F(PicturePlaceTest, ACharacterCentredPictureFollowsItAndKeepsItsLastCentre) {
  PictureParams p;
  p.place = kPictureOnHero;
  p.offsetX = 4;
  p.screenFixed = 0;
  cShownPicture& picture = Show(p);  // 40 x 20
  PlaceShownPicture(picture);
  EXPECT_EQ(picture.shownX, static_cast<int>(static_cast<int>(CentreX() - 20) + 4 - ScrollX()));
  Hero().x += 64;
  PlaceShownPicture(picture);
  const int followed = static_cast<int>(static_cast<int>(CentreX() - 20) + 4 - ScrollX());
  EXPECT_EQ(picture.shownX, followed);
  picture.followed = 777;  // the character is gone: its last centre stays
  Hero().x += 64;
  PlaceShownPicture(picture);
  EXPECT_EQ(picture.shownX, followed);
}

TEST_F(PicturePlaceTest, WithoutFollowingItStaysWhereTheCharacterStood) {
  g_StageRules.pictureFollow = 0;
  PictureParams p;
  p.place = kPictureOnSelf;
  p.screenFixed = 0;
  cShownPicture& picture = Show(p);
  const int stageX = static_cast<int>(CentreX() - 20);
  EXPECT_EQ(picture.x, stageX);
  Hero().x += 64;
  PlaceShownPicture(picture);
  EXPECT_EQ(picture.shownX, static_cast<int>(stageX - ScrollX()));
  g_StageRules.pictureFollow = 1;
}

TEST_F(PicturePlaceTest, PinsHoldStagePlacesOnTheScreenAndScreenPlacesOnTheStage) {
  PictureParams stageBlocks;
  stageBlocks.place = kPictureStageBlocks;
  stageBlocks.x = 3;
  stageBlocks.screenFixed = 1;
  cShownPicture& pinned = Show(stageBlocks);
  stageBlocks.screenFixed = 0;
  cShownPicture& loose = Show(stageBlocks);
  PictureParams centre;
  centre.screenFixed = 0;
  cShownPicture& centred = Show(centre);
  for (cShownPicture* p : {&pinned, &loose, &centred}) PlaceShownPicture(*p);
  EXPECT_EQ(loose.shownX, static_cast<int>(32.0 * 13 - ScrollX()));
  EXPECT_EQ(centred.shownX, 300);
  const int pinnedX = pinned.shownX;
  ScrollX() += 50;
  for (cShownPicture* p : {&pinned, &loose, &centred}) PlaceShownPicture(*p);
  EXPECT_EQ(pinned.shownX, pinnedX);
  EXPECT_EQ(loose.shownX, static_cast<int>(32.0 * 13 - ScrollX()));
  EXPECT_EQ(centred.shownX, 250);
}

}  // namespace
}  // namespace show_test
