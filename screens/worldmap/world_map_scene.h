#pragma once
// The world map (game state 1) of story play: the figure walks the map's
// cells, the view following it; a point offers the stage its conditions
// choose; a stage not yet open is entered as soon as the figure steps on
// it, an open one by deciding on it and confirming. Cancel opens the map's
// menu. Back from a stage the map auto-saves into the play's slot and, when
// the stage was not cleared, puts the figure back on the cell it came from.
//
// Phases: 0 fade-in, 1 walk, 2 enter (the confirm menu), 3 leave.

#include "input/input_record.h"
#include "project/world_map.h"
#include "screens/common/screen_scene.h"
#include "screens/menu/menu_cursor.h"
#include "screens/worldmap/world_map_view.h"

class cWorldMapScene : public cScreenScene {
 public:
  enum WorldMapPhase : int { kFadeIn = 0, kWalk = 1, kEnter = 2, kLeave = 3 };

  cWorldMapScene();

  void Start() override;
  void FadeIn() override;
  void Leave() override;

  WorldCell Cursor() const { return m_Cursor; }
  const cWorldStage* Stage() const { return m_pStage; }

 private:
  void WalkPhase();
  void EnterPhase();
  void MoveCursor(const cInput& input);
  void FindStage();
  void AnnounceStage();
  void StartStage();
  bool LoadChosenStage();
  void SetView();
  void Draw(bool details);

  WorldCell m_Cursor;
  WorldCell m_View;
  const cWorldPoint* m_pPoint = nullptr;
  const cWorldStage* m_pStage = nullptr;
  int m_nFacing = 0;
  MENUCURSOR m_BeforeMove;
  WorldCell m_Arrival{-1, -1};
  int m_nStageValue = 0;
  int m_nFrameCounter = 0;
  bool m_bStageLoaded = false;
};
