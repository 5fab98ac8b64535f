#include "project/global_data.h"

cGlobalObject<cSystem> g_System("g_System");
cGlobalObject<cDatabase> g_Database("g_Database");
cVector<Pattern> g_AnimeFrameTable;
cVector<Pattern> g_EffectFrameTable;
cGlobalObject<cWorldMap> g_WorldMap("g_WorldMap");
cGlobalObject<cUserOption> g_UserOption("g_UserOption");

void StartProjectData() {
  g_System.Start();
  g_Database.Start();
  g_AnimeFrameTable.clear();
  g_EffectFrameTable.clear();
  g_WorldMap.Start();
  g_UserOption.Start();
}

void StopProjectData() {
  g_UserOption.Stop();
  g_WorldMap.Stop();
  g_EffectFrameTable.clear();
  g_AnimeFrameTable.clear();
  g_Database.Stop();
  g_System.Stop();
}
