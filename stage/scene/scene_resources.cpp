#include "stage/scene/scene_resources.h"

#include "platform/main_thread.h"
#include "stage/draw/resources/screen_copies.h"

bool LoadStageSurfaces(cStageScene&, bool) { return true; }
void FinaliseStageResources(cStageScene&) {}
void ReleaseStageSurfaces(cStageScene&) { ReleaseScreenCopies(); }
void ClearBackBuffer() {}

void PostCloseRequest() { platform::RequestClose(platform::CloseReason::User); }
