#pragma once
// The cast of the sample game as small pixel-art sprites, 16 x 16 dots,
// facing right. Sheets show them doubled to fill 32 x 32 cells; the title
// screen and the world-map figure reuse them.

#include "tools/sample_game/indexed_image.h"

namespace sample_game {

enum class HeroPose { Stand, StepA, StepB, Jump, Hurt };
enum class EnemyKind { Walker, Flyer, Shooter };

// The colour key the sprite rows are written in.
const SpriteKey& CastKey();

IndexedImage HeroSprite(HeroPose pose, int scale);
// The hero seen from the front (walking down) or the back (walking up), step 0 or 1.
IndexedImage HeroFrontBackSprite(bool back, int step, int scale);
// Frame 0 or 1 of an enemy's two-frame cycle.
IndexedImage EnemySprite(EnemyKind kind, int frame, int scale);
// The boss: 32 x 32 dots before scaling; frame 1 opens its mouth.
IndexedImage BossSprite(int frame, int scale);

enum class ItemKind { Coin, Heart, Key, Gem };
// Frame 0..3 (only the coin turns; the others ignore the frame).
IndexedImage ItemSprite(ItemKind kind, int frame, int scale);

}  // namespace sample_game
