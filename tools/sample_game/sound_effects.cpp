#include "tools/sample_game/sound_effects.h"

namespace sample_game {
namespace {

constexpr Wave kSq = Wave::Square, kTri = Wave::Triangle, kNoise = Wave::Noise;

// A short rising run of notes, each `ms` long.
std::vector<Tone> Arpeggio(std::initializer_list<int> keys, int ms, Wave wave = kSq) {
  std::vector<Tone> tones;
  for (int key : keys) tones.push_back({wave, KeyHz(key), KeyHz(key), ms, 70, 40});
  tones.back().toLevel = 0;
  return tones;
}

}  // namespace

const std::vector<SoundEffect>& SystemSounds() {
  static const std::vector<SoundEffect> sounds = {
      {"カーソル", "wave\\Cursor.wav", {{kSq, 880, 880, 40, 50, 0}}},
      {"決定", "wave\\Decide.wav", {{kSq, 660, 660, 50, 60, 50}, {kSq, 1320, 1320, 90, 60, 0}}},
      {"キャンセル", "wave\\Cancel.wav", {{kSq, 440, 220, 110, 60, 0}}},
      {"ブザー", "wave\\Buzzer.wav", {{kSq, 110, 110, 180, 70, 0}}},
      {"開く", "wave\\Open.wav", {{kTri, 520, 780, 90, 80, 0}}},
      {"セーブ", "wave\\Save.wav", Arpeggio({72, 76, 79, 84}, 60)},
      {"ページ", "wave\\Page.wav", {{kTri, 990, 990, 30, 70, 60}, {kTri, 1320, 1320, 40, 60, 0}}},
      {"ジャンプ", "wave\\Jump.wav", {{kSq, 300, 900, 150, 60, 0}}},
      {"ダメージ", "wave\\Damage.wav", {{kNoise, 3000, 800, 80, 80, 40}, {kSq, 200, 80, 140, 60, 0}}},
      {"アイテム", "wave\\Item.wav", Arpeggio({84, 88, 91}, 70, kTri)},
      {"コイン", "wave\\Coin.wav", {{kSq, 988, 988, 50, 60, 60}, {kSq, 1318, 1318, 220, 60, 0}}},
      {"1UP", "wave\\OneUp.wav", Arpeggio({76, 79, 88, 84, 86, 91}, 70)},
      {"クリア", "wave\\Clear.wav", Arpeggio({72, 76, 79, 84, 79, 84, 88}, 110)},
      {"警告", "wave\\Warning.wav",
       {{kSq, 1000, 1000, 60, 60, 60}, {kSq, 1, 1, 60, 0, 0}, {kSq, 1000, 1000, 60, 60, 0}}},
      {"ポーズ", "wave\\Pause.wav", Arpeggio({84, 79}, 70)},
      {"ゲームオーバー", "wave\\GameOver.wav", Arpeggio({72, 67, 64, 60, 55}, 160, kTri)},
      {"ショット", "wave\\Shot.wav", {{kNoise, 6000, 2000, 30, 50, 20}, {kSq, 1200, 400, 70, 40, 0}}},
  };
  return sounds;
}

const std::vector<SoundEffect>& DatabaseSounds() {
  static const std::vector<SoundEffect> sounds = {
      {"ジャンプ", "wave\\se_jump.wav", {{kSq, 260, 780, 140, 60, 0}}},
      {"ショット", "wave\\se_shot.wav", {{kSq, 1500, 500, 80, 50, 0}}},
      {"コイン", "wave\\se_coin.wav", {{kSq, 1046, 1046, 40, 60, 60}, {kSq, 1568, 1568, 160, 60, 0}}},
      {"ダメージ", "wave\\se_damage.wav", {{kNoise, 2500, 600, 160, 80, 0}}},
      {"爆発", "wave\\se_explosion.wav", {{kNoise, 1800, 200, 400, 90, 0}}},
      {"ばね", "wave\\se_spring.wav", {{kTri, 200, 1200, 120, 80, 30}, {kTri, 1200, 900, 80, 30, 0}}},
  };
  return sounds;
}

}  // namespace sample_game
