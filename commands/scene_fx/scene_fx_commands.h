#pragma once
// The commands that act on the whole scene: the screen effect, the screen
// colour, the background layers, a sound, the stage music, and the two that
// hold the game still while frames go on: "ゲームウエイト" (a time) and
// "エフェクトの実行" (an effect animation played to its end).

class cChara;
class cEdCmd;

// "ゲームウエイト": parameter 0 tenths of a second.
void GameWait(cChara& chara, const cEdCmd& command);
// "エフェクトの実行": effect 0 placed by 1 (0 screen centre, 1 the
// character's centre, 2 the hero's, 3 a screen position, 4 a stage
// position) with block position 2, 3, offsets 4, 5 and size 6 (percent).
void RunEffect(cChara& chara, const cEdCmd& command);
// "画面エフェクトの実行": effect 0 (0 stops the running one), mode 1, loop 2.
void StartScreenEffectCmd(cChara& chara, const cEdCmd& command);
// "画面の色を変更": the eight parameters as they stand.
void SetScreenColor(cChara& chara, const cEdCmd& command);
// "背景の変更": layer 0 (from 1) shown (1: 0), hidden (1), toggled (2).
void ChangeBackground(cChara& chara, const cEdCmd& command);
// "効果音の再生": sound 0 by the command's hero-only rule.
void PlayCmdSound(cChara& chara, const cEdCmd& command);
// "BGMの再生": music 0 (0 stops) with keep flag 1.
void PlayCmdBgm(cChara& chara, const cEdCmd& command);
