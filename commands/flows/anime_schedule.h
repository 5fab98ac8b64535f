#pragma once
// Animations that must be playing when a command starts: a command that
// names an animation to prepare (a command without a movement record, or a
// move whose animation choice is "その他") gets it started ahead of itself,
// as many steps before the command as the animation lasts, taken from the
// flow's earlier entries; what does not fit before the flow's start is
// skipped from the animation's head. The flow's step count starts them.

class cChara;
struct cFlowState;

// Rebuilds the flow state's schedule from its entries.
void BuildAnimeSchedule(cFlowState& state);
// Starts the scheduled animations due at the step count of each running,
// unpaused flow of the character.
void StartScheduledAnims(cChara& chara);
