#pragma once
// The commands that change how a character looks: its graphic, its base
// animation set, an extra animation played over the base one, and a
// character effect. An index that names nothing in the database is
// reported and the command does nothing.

class cChara;
class cEdCmd;

// "グラフィックの変更": graphic kind, number and cell offset.
void ChangeGraphic(cChara& chara, const cEdCmd& command);
// "基本アニメセットの変更".
void ChangeAnimSet(cChara& chara, const cEdCmd& command);
// "アニメの実行": the animation of parameter 0, in front of the running
// ones, tagged with the running flow's serial (-1 without a flow, as for
// item commands) so that the flow operations can stop, hold and release it.
void PlayAnim(cChara& chara, const cEdCmd& command);
// "キャラエフェクトの実行": effect parameter 0 with its mode and loop.
void StartCharaEffect(cChara& chara, const cEdCmd& command);
