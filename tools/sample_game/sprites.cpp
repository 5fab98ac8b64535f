#include "tools/sample_game/sprites.h"

#include "tools/sample_game/sample_palette.h"

namespace sample_game {
namespace {

using pal::Shade;

SpriteRows HeroRows(HeroPose pose) {
  SpriteRows rows = {
      "................",  //
      ".....kkkkk......",  //
      "....kccccck.....",  //
      "...kcccccccck...",  //
      "..kcckkkkkkk....",  //
      "..kckssseSk.....",  //
      "....kssssssSk...",  //
      ".....kSsssk.....",  //
      "....knccccnk....",  //
      "...ksnccccnsk...",  //
      "...ksknnnnksk...",  //
      "....knnnnnnk....",  //
      "....knnkknnk....",  //
      "....knnk.knnk...",  //
      "...kNNNk.kNNNk..",  //
      "...kkkkk.kkkkk..",  //
  };
  switch (pose) {
    case HeroPose::Stand:
      break;
    case HeroPose::StepA:
      rows[12] = "....knnkknnk....";
      rows[13] = "...knnk..knnk...";
      rows[14] = "..kNNNk...kNNNk.";
      rows[15] = "..kkkkk...kkkkk.";
      break;
    case HeroPose::StepB:
      rows[12] = "....knnnnnnk....";
      rows[13] = ".....knnnnk.....";
      rows[14] = ".....kNNNNk.....";
      rows[15] = ".....kkkkkk.....";
      break;
    case HeroPose::Jump:
      rows[7] = "..k..kSsssk..k..";
      rows[8] = ".ksk.kncccnk.ksk";
      rows[9] = "..ksknccccnksk..";
      rows[10] = "....knnnnnnk....";
      rows[13] = "...knnk..knnk...";
      rows[14] = "...kNNk..kNNk...";
      rows[15] = "...kkkk..kkkk...";
      break;
    case HeroPose::Hurt:
      rows[5] = "..kckswswSk.....";
      rows[6] = "....ksssesSSk...";
      rows[9] = ".kskknccccnkksk.";
      rows[10] = "..k.knnnnnnk.k..";
      break;
  }
  return rows;
}

SpriteRows FrontBackRows(bool back, int step) {
  SpriteRows rows = {
      "................",  //
      ".....kkkkkk.....",  //
      "....kcccccck....",  //
      "...kcccyyccck...",  //
      "...kkkkkkkkkk...",  //
      "....kseSSesk....",  //
      "....kssssssk....",  //
      ".....kSssSk.....",  //
      "....knccccnk....",  //
      "...ksnccccnsk...",  //
      "...ksknnnnksk...",  //
      "....knnnnnnk....",  //
      "....knnkknnk....",  //
      "....knnkknnk....",  //
      "....kNNkkNNk....",  //
      "....kkkkkkkk....",  //
  };
  if (back) {
    rows[3] = "...kcccccccck...";
    rows[5] = "....kcccccck....";
    rows[6] = "....kSSSSSSk....";
    rows[7] = ".....kSSSSk.....";
  }
  if (step == 1) {
    rows[13] = "....knnk.knnk...";
    rows[14] = "....kNNk.kkkk...";
    rows[15] = "....kkkk........";
  }
  return rows;
}

SpriteRows WalkerRows(int frame) {
  SpriteRows rows = {
      "................",  //
      "................",  //
      "................",  //
      "......kkkkk.....",  //
      "....kkgggggkk...",  //
      "...kgggggggggk..",  //
      "..kgglgggggggGk.",  //
      "..kglwwgggwwgGk.",  //
      "..kggwegggwegGk.",  //
      "..kgggggggggGGk.",  //
      "..kgggkkkkkgGGk.",  //
      "..kGggkrrrkgGGk.",  //
      "...kGGGGGGGGGk..",  //
      "....kkkkkkkkk...",  //
      "...knnk...knnk..",  //
      "...kkkk...kkkk..",  //
  };
  if (frame == 1) {
    rows[3] = "................";
    rows[4] = ".....kkkkkkk....";
    rows[5] = "...kkgggggggkk..";
    rows[14] = "....knnk.knnk...";
    rows[15] = "....kkkk.kkkk...";
  }
  return rows;
}

SpriteRows FlyerRows(int frame) {
  if (frame == 0)
    return {
        "................",  //
        "k..............k",  //
        "kk............kk",  //
        "kPk...kkkk...kPk",  //
        "kPPk.kppppk.kPPk",  //
        "kPPPkpwppwpkPPPk",  //
        "kPPPkpeppepkPPPk",  //
        ".kPPkppppppkPPk.",  //
        "..kPkpkwwkpkPk..",  //
        "...kkppppppkk...",  //
        ".....kppppk.....",  //
        "......kyyk......",  //
        "......kkkk......",  //
    };
  return {
      "................",  //
      "................",  //
      "................",  //
      "......kkkk......",  //
      ".....kppppk.....",  //
      "....kpwppwpk....",  //
      "...kkpeppepkk...",  //
      "..kPPppppppPPk..",  //
      ".kPPPpkwwkpPPPk.",  //
      "kPPPkkppppkkPPPk",  //
      "kPPk.kppppk.kPPk",  //
      "kPk...kyyk...kPk",  //
      "kk....kkkk....kk",  //
      "k..............k",  //
  };
}

SpriteRows ShooterRows(int frame) {
  SpriteRows rows = {
      "................",  //
      "................",  //
      "................",  //
      "....kkkkkk......",  //
      "...kttttttk.....",  //
      "..kttwwttttk....",  //
      "..kttwetttTkkkkk",  //
      "..ktttttttTTTTTk",  //
      "..ktttttttTkkkkk",  //
      "..kTttttttTk....",  //
      "..kTTTTTTTTk....",  //
      ".knnnnnnnnnnk...",  //
      ".kNnnnnnnnnNk...",  //
      ".kNNNNNNNNNNk...",  //
      ".kkkkkkkkkkkk...",  //
  };
  if (frame == 1) {  // the barrel glows as it fires
    rows[6] = "..kttwetttTkkkky";
    rows[7] = "..ktttttttTTTTyy";
    rows[8] = "..ktttttttTkkkky";
  }
  return rows;
}

void FillCoin(IndexedImage& image, int frame) {
  // A coin turning about its upright axis: full face, narrower, edge-on, narrower.
  static constexpr int kHalfWidth[4] = {6, 4, 1, 4};
  const int rx = kHalfWidth[frame & 3];
  image.FillEllipse(8, 8, rx + 1, 7, pal::kShadow);
  image.FillEllipse(8, 8, rx, 6, Shade(pal::kYellow, 6));
  if (rx > 1) {
    image.FillEllipse(8, 8, rx - 1, 5, Shade(pal::kYellow, 9));
    image.FillRect(8 - rx / 3, 5, std::max(1, rx / 3), 6, Shade(pal::kYellow, 13));
  }
}

}  // namespace

const SpriteKey& CastKey() {
  static const SpriteKey key = {
      {'k', pal::kShadow},          {'c', Shade(pal::kTeal, 8)},          {'e', pal::kBlack},           {'w', pal::kWhite},
      {'r', Shade(pal::kRed, 8)},   {'R', Shade(pal::kRed, 5)},   {'s', Shade(pal::kSkin, 11)},
      {'S', Shade(pal::kSkin, 8)},  {'b', Shade(pal::kBlue, 9)},  {'B', Shade(pal::kBlue, 6)},
      {'n', Shade(pal::kBrown, 7)}, {'N', Shade(pal::kBrown, 4)}, {'g', Shade(pal::kGreen, 9)},
      {'G', Shade(pal::kGreen, 6)}, {'l', Shade(pal::kLime, 12)}, {'p', Shade(pal::kPurple, 9)},
      {'P', Shade(pal::kPurple, 6)}, {'y', Shade(pal::kYellow, 9)}, {'Y', Shade(pal::kYellow, 6)},
      {'h', Shade(pal::kYellow, 13)}, {'t', Shade(pal::kStone, 10)}, {'T', Shade(pal::kStone, 6)},
      {'i', Shade(pal::kPink, 9)},  {'I', Shade(pal::kPink, 12)},
  };
  return key;
}

IndexedImage HeroSprite(HeroPose pose, int scale) { return ScaledSprite(HeroRows(pose), CastKey(), scale); }

IndexedImage HeroFrontBackSprite(bool back, int step, int scale) {
  return ScaledSprite(FrontBackRows(back, step), CastKey(), scale);
}

IndexedImage EnemySprite(EnemyKind kind, int frame, int scale) {
  switch (kind) {
    case EnemyKind::Walker:
      return ScaledSprite(WalkerRows(frame), CastKey(), scale);
    case EnemyKind::Flyer:
      return ScaledSprite(FlyerRows(frame), CastKey(), scale);
    case EnemyKind::Shooter:
      break;
  }
  return ScaledSprite(ShooterRows(frame), CastKey(), scale);
}

IndexedImage BossSprite(int frame, int scale) {
  // Drawn at 32 x 32 from shapes, then enlarged dot by dot.
  IndexedImage boss(32, 32);
  const auto horn = Shade(pal::kStone, 12), body = Shade(pal::kPurple, 7), belly = Shade(pal::kPurple, 10);
  for (int i = 0; i < 7; ++i) {  // two curved horns
    boss.FillRect(5 + i / 2, 8 - i, 3, 2, horn);
    boss.FillRect(24 - i / 2, 8 - i, 3, 2, horn);
  }
  boss.FillEllipse(16, 19, 13, 12, pal::kShadow);
  boss.FillEllipse(16, 19, 12, 11, body);
  boss.FillEllipse(16, 23, 7, 6, belly);
  boss.FillRect(10, 3, 12, 4, Shade(pal::kYellow, 9));  // crown
  for (int x = 10; x < 22; x += 4) boss.FillRect(x, 1, 2, 2, Shade(pal::kYellow, 11));
  boss.FillRect(11, 4, 2, 2, Shade(pal::kRed, 8));
  boss.FillRect(19, 4, 2, 2, Shade(pal::kTeal, 9));
  for (int side : {10, 19}) {  // eyes
    boss.FillRect(side, 13, 4, 4, Shade(pal::kYellow, 11));
    boss.FillRect(side + (side < 16 ? 2 : 1), 14, 1, 2, pal::kBlack);
  }
  const int mouthHeight = frame == 1 ? 5 : 2;
  boss.FillRect(11, 20, 10, mouthHeight, pal::kShadow);
  for (int x = 12; x < 20; x += 2) boss.Set(x, 20, pal::kWhite);
  boss.FillRect(3, 26, 6, 4, Shade(pal::kPurple, 4));  // feet
  boss.FillRect(23, 26, 6, 4, Shade(pal::kPurple, 4));
  return Enlarged(boss, scale);
}

IndexedImage ItemSprite(ItemKind kind, int frame, int scale) {
  IndexedImage item(16, 16);
  switch (kind) {
    case ItemKind::Coin:
      FillCoin(item, frame);
      break;
    case ItemKind::Heart:
      item = SpriteFromRows(
          {
              "................",  //
              "................",  //
              "..kkkk...kkkk...",  //
              ".krrIrk.krrrrk..",  //
              "krrIIrrkrrrrrRk.",  //
              "krrIrrrrrrrrrRk.",  //
              "krrrrrrrrrrrrRk.",  //
              ".krrrrrrrrrrRk..",  //
              "..krrrrrrrrRk...",  //
              "...krrrrrrRk....",  //
              "....krrrrRk.....",  //
              ".....krrRk......",  //
              "......kRk.......",  //
              ".......k........",  //
          },
          CastKey());
      break;
    case ItemKind::Key:
      item = SpriteFromRows(
          {
              "................",  //
              "................",  //
              "...kkkk.........",  //
              "..kyyyyk........",  //
              ".kyhkkyyk.......",  //
              ".kyk..kyk.......",  //
              ".kyk..kykkkkkkk.",  //
              ".kyykkyyyyyyyyyk",  //
              "..kyyyykkkkyykyk",  //
              "...kkkk....kkk.k",  //
          },
          CastKey());
      break;
    case ItemKind::Gem:
      item = SpriteFromRows(
          {
              "................",  //
              "................",  //
              "....kkkkkkkk....",  //
              "...kIiiIiiiPk...",  //
              "..kIIiiIiiiiPk..",  //
              ".kkkkkkkkkkkkkk.",  //
              "..kIiiiiiiiiPk..",  //
              "...kiiiiiiiPk...",  //
              "....kiiiiiPk....",  //
              ".....kiiiPk.....",  //
              "......kiPk......",  //
              ".......kk.......",  //
          },
          CastKey());
      break;
  }
  return Enlarged(item, scale);
}

}  // namespace sample_game
