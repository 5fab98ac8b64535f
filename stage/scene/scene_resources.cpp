#include "stage/scene/scene_resources.h"

#include "platform/main_thread.h"

bool LoadStageSurfaces(cStageScene&, bool) { return true; }
void FinaliseStageResources(cStageScene&) {}
void ReleaseStageSurfaces(cStageScene&) {}
void ClearBackBuffer() {}

void PostCloseRequest() { platform::RequestClose(platform::CloseReason::User); }
