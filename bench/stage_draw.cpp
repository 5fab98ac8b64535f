// A full stage frame with its drawing (the frame step, the drawing's advance
// and the pixels into the 640 x 480 back buffer) in each drawing mode, on a
// busy stage of the sample game: the player starts on the generated game as
// a user starts it (its palette, fonts and system pictures), and the stage
// loads the game's sheets. The stage is laid out from the game's own blocks,
// characters and items (flyers in rows, walkers pacing ledges, shooters
// firing at the hero, coins and gems everywhere, both background layers)
// while the hero walks right and back, shooting, for four seconds; then
// the next attempt is begun untimed. On top of every attempt: a looping
// character effect on every third character (wave, rotation, colour
// change, half transparency, mosaic, lens, zoom, blur, rotation in depth,
// circle, split, blink), a horizontal wave over the whole screen, a
// blinking screen colour (at 8 bits and in Direct3D; DirectDraw at 32 bits
// has none), two of the game's pictures (one stretched), a message window,
// 20 point effects on the screen (half of them scaled, replaced as they
// end) and the status panel.
//
// Before timing, two attempts must hash alike on every frame, and a frame
// drawn over a screen filled with a mark colour must cover it, hold at
// least 32 colours and have the checksum pinned for its drawing mode (with
// the font files pinned, since the message window holds text). Beside each
// mode, the floor: a memcpy of one 640 x 480 frame of the mode's pixel size.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/player_modules.h"
#include "bench/frame_checksum.h"
#include "bench/sample_play/draw_modes.h"
#include "bench/sample_play/drawn_frame.h"
#include "bench/sample_play/generated_game.h"
#include "bench/sample_play/looped_play.h"
#include "bench/sample_play/mode_benchmarks.h"
#include "definitions/command_kinds.h"
#include "platform/backend.h"
#include "project/database.h"
#include "project/global_data.h"
#include "shell/init/project_load.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/draw/effects/chara_effect_slot.h"
#include "stage/draw/effects/screen_effect_slot.h"
#include "stage/draw/effects/stage_effect.h"
#include "stage/draw/stage_drawing.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/show_message.h"
#include "stage/show/show_picture.h"
#include "tools/sample_game/record_bytes.h"
#include "tools/sample_game/stages/common_palette_builder.h"
#include "tools/sample_game/stages/flow_builder.h"
#include "tools/sample_game/stages/stage_builder.h"

namespace {

constexpr std::size_t kCheckedFrame = 100;  // the frame of an attempt whose pixels are checked
constexpr std::size_t kMinColours = 32;
constexpr std::size_t kPointEffects = 20;
constexpr int kEffectEveryNthChara = 3;

// Walking right for two seconds and back, holding the shot button.
constexpr std::string_view kScript = "120 R S\n120 L S\n";

// The busy stage, twice the screen's width.
cEdStage BusyStage() {
  const sample_game::StageLayout layout = {
      "ベンチ",
      {
          "........................................",
          ".c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c",
          "..g.g.g.g.g.g.g.g.g.g.g.g.g.g.g.g.g.g.g.",
          "........................................",
          "f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.",
          "...w.w....w.w....w.w....w.w....w.w....w.",
          "..-----..-----..-----..-----..-----..---",
          ".c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c.c",
          ".f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f",
          "...w..w...w..w...w..w...w..w...w..w...w.",
          "..BBBBBB.BBBBBB.BBBBBB.BBBBBB.BBBBBB.BBB",
          "..H......s.........s.........s.........s",
          "########################################",
          "dddddddddddddddddddddddddddddddddddddddd",
          "dddddddddddddddddddddddddddddddddddddddd",
      },
  };
  return sample_game::BuildStage(layout, sample_game::BuildCommonPalette());
}

// The effects the bench starts. The game's own definitions keep the
// editor's defaults, whose start and end are alike (most of them change
// nothing to see), so the bench adds definitions that show.
struct BenchEffects {
  int firstChara = 0, charaCount = 0;
  int screenWave = 0;
};

cCharaEffect CharaEffect(int kind, std::array<std::int32_t, 5> params) {
  cCharaEffect effect;
  effect.m_nKind = kind;
  effect.m_anParam = params;
  return effect;
}

// Appends the bench's definitions to the loaded database and binds the
// effect slots again.
BenchEffects AddBenchEffects() {
  BenchEffects added;
  auto& charaEffects = g_Database->m_vCharaEffect;
  added.firstChara = static_cast<int>(charaEffects.size());
  for (const cCharaEffect& effect : {
           CharaEffect(kCharaEffectWaveH, {8, 0, 6, 2, 2}), CharaEffect(kCharaEffectRotateA, {12, 0, 360, 0, 0}),
           CharaEffect(kCharaEffectColor, {9, 0, 100, 40, 0}), CharaEffect(kCharaEffectHalf, {10, 4, 0, 0, 0}),
           CharaEffect(kCharaEffectMosaic, {7, 1, 6, 0, 0}), CharaEffect(kCharaEffectLens, {11, 0, 24, 0, 0}),
           CharaEffect(kCharaEffectZoom, {13, 32, 56, 0, 0}), CharaEffect(kCharaEffectBlur, {9, 0, 3, 0, 0}),
           CharaEffect(kCharaEffectRotateDepth, {10, 0, 32, 0, 0}), CharaEffect(kCharaEffectCircle, {8, 4, 16, 1, 0}),
           CharaEffect(kCharaEffectSplitV, {11, 0, 8, 4, 0}), CharaEffect(kCharaEffectBlink, {100, 4, 0, 0, 0}),
       })
    charaEffects.push_back(effect);
  added.charaCount = static_cast<int>(charaEffects.size()) - added.firstChara;
  cScrEffect wave;
  wave.m_nKind = kScreenEffectWaveH;
  wave.m_anParam = {20, 0, 8, 3, 4};
  added.screenWave = static_cast<int>(g_Database->m_vScrEffect.size());
  g_Database->m_vScrEffect.push_back(wave);
  BuildDatabaseTables();
  InitEffectSlotsOfStage();
  return added;
}

// The game's pictures, held on the screen until the stage ends: the sign
// stretched to 150 % at the top left, the stage-clear banner over the
// ground.
void ShowPictures(cChara& hero) {
  constexpr int kScreenBlocks = 3, kUntilStageEnd = 1, kOnScreen = 1;
  //                                       picture place x  y  dx dy layer percent duration time wait pinned
  for (const cEdCmd& command :
       {sample_game::Command(kCmdPicture, 0, {1, kScreenBlocks, 0, 1, 0, 0, 0, 150, kUntilStageEnd, 0, 0, kOnScreen}),
        sample_game::Command(kCmdPicture, 0, {2, kScreenBlocks, 6, 13, 0, 0, 0, 100, kUntilStageEnd, 0, 0, kOnScreen})})
    ShowPicture(hero, command);
}

// A message window over the hero until the stage ends.
void ShowMessageWindow(cChara& hero) {
  constexpr int kAboveHero = 4, kUntilStageEnd = 1;
  //                                                       place x  y  dx  dy  inside duration
  cEdCmd command = sample_game::Command(kCmdMessage, 0, {kAboveHero, 0, 0, 0, -8, 1, kUntilStageEnd});
  command.m_strCode = sample_game::Sjis("ベンチマーク中！ コインを集めよう");
  ShowMessage(hero, command, 0);
}

void StartTheShow(cStageHarness& harness, const BenchEffects& effects) {
  cStageScene& scene = harness.Scene();
  int n = 0;
  g_CharaList.ForEach([&](cStageChara& chara) {
    if (n % kEffectEveryNthChara == 0)
      SelectCharaEffect(chara.effect, effects.firstChara + n / kEffectEveryNthChara % effects.charaCount,
                        kPlayThereAndBack, 1);
    ++n;
  });
  StartSceneScreenEffect(scene, effects.screenWave, kPlayThereAndBack, 1);
  StartSceneScreenColor(scene, {255, 230, 120, 30, 0, 10, 1, 1000000});
  if (cHero* hero = harness.Hero()) {
    ShowPictures(*hero);
    ShowMessageWindow(*hero);
  }
}

// The game's burst and sparkle at 20 places across the screen, every other
// one at double size; those that ended are replaced before each frame, in
// the places that come next.
class PointEffectRow {
 public:
  void Start() { m_added = 0; }
  void Keep(cStageScene& scene) {
    for (std::size_t i = scene.m_Draw.stageEffects.size(); i < kPointEffects; ++i, ++m_added) {
      const std::size_t place = m_added % kPointEffects;
      scene.m_Draw.stageEffects.emplace_back(
          static_cast<int>(1 + place % 2), g_StageSpace.scrollX.position + 16.0 + 30.0 * static_cast<double>(place),
          g_StageSpace.scrollY.position + 96.0 + 40.0 * static_cast<double>(place % 7), place % 2 ? 200 : 100);
    }
  }

 private:
  std::size_t m_added = 0;
};

GeneratedGame* g_game = nullptr;
const std::vector<sample_game::ScriptFrame>* g_script = nullptr;

// The checksum of the checked frame per drawing mode (DirectDraw 8, 32, Direct3D).
constexpr std::uint64_t kPinnedFrames[] = {0xe6a2a8fcb5058e83, 0xf12723b61d947efa, 0xf6e7349c05439943};

void StageDrawFrames(benchmark::State& state, std::size_t modeIndex) {
  if (const std::string fault = CheckFontFiles(); !fault.empty()) {
    state.SkipWithError(fault.c_str());
    return;
  }
  const StartedPlayer player(*g_game, kDrawModes[modeIndex]);
  if (!player.Ok()) {
    state.SkipWithError("the player did not start");
    return;
  }
  const BenchEffects effects = AddBenchEffects();
  PointEffectRow pointEffects;
  LoopedPlay play(BusyStage(), *g_script,
                  {[&](cStageHarness& harness) {
                     StartTheShow(harness, effects);
                     pointEffects.Start();
                   },
                   [&pointEffects](cStageHarness& harness) { pointEffects.Keep(harness.Scene()); }});
  if (const std::string fault = CheckAttempts(play, kCheckedFrame); !fault.empty()) {
    state.SkipWithError(fault.c_str());
    return;
  }
  const DrawnFrame drawn = DrawCheckedFrame(play, kCheckedFrame);
  std::string fault = CheckFrameChecksum(drawn.checksum, kPinnedFrames[modeIndex]);
  if (drawn.coveredShare < 0.9) fault = "a frame did not draw the stage over the screen";
  if (drawn.colours < kMinColours) fault = "a frame holds fewer than " + std::to_string(kMinColours) + " colours";
  if (!fault.empty()) {
    state.SkipWithError(fault.c_str());
    return;
  }
  TimeFrames(state, play);
  state.counters["drawn colours"] = static_cast<double>(drawn.colours);
}

}  // namespace

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  RegisterPlayerModules();
  GeneratedGame game("bench_stage_draw");
  const std::optional<std::vector<sample_game::ScriptFrame>> script = sample_game::ParseInputScript(kScript);
  if (!game.Ok() || !script) {
    std::fprintf(stderr, "the sample game could not be written\n");
    return 1;
  }
  g_game = &game;
  g_script = &*script;
  for (std::size_t index = 0; index < std::size(kDrawModes); ++index) {
    RegisterRepeated(std::string("StageDrawFrames/") + kDrawModes[index].name,
                     [index](benchmark::State& state) { StageDrawFrames(state, index); });
    RegisterFrameMemcpy(kDrawModes[index]);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
