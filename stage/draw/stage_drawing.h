#pragma once
// The stage's drawing as the scene sees it: the registration of the effect
// slots at start-up, the advance half of a frame's drawing (everything the
// drawing changes), and the starts of the screen effect and screen colour
// that commands ask for. The pixel half is the scene's DrawStagePixels.

#include <array>
#include <cstdint>

class cStageScene;
struct EffectBox;

// Lets start-up bind the character-effect and screen-effect slots and add
// the stage's surfaces to the restore after a lost screen.
void RegisterStageDrawing();
// Binds both kinds of effect slots to the loaded definitions.
void InitEffectSlotsOfStage();

// A paused stage that the project hides: the pause menu's draws show only
// the background and its first layer, and nothing moves.
bool IsStageHiddenByPause(const cStageScene& scene, int play);

// The advance half: layer movement (not while the pause menu is open), shown
// pictures, point effects, messages, the screen effect, the screen colour
// and the time display's warning sound (requested only by the play draw).
// `overlay` marks a frame drawn outside the play step: the screen effect
// and the screen colour hold still on it, and timed pictures and messages
// count only when they stopped the game.
void AdvanceStageDrawing(cStageScene& scene, int play, int overlay);

// "画面エフェクトの実行": effect n (0 stops the running one), mode 0
// forward, 1 backward, 2 there and back.
void StartSceneScreenEffect(cStageScene& scene, int n, int mode, int loop);
// A point effect n where boxes a and b meet, for size factor k.
void AddStageEffect(cStageScene& scene, int n, const EffectBox& a, const EffectBox& b, int k);

// "画面の色を変更" with the command's eight parameters.
void StartSceneScreenColor(cStageScene& scene, const std::array<std::int32_t, 8>& params);
