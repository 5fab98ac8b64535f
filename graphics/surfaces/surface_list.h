#pragma once
// g_SurfaceList: every Direct3D texture created outside a restore, the set
// the device restore re-creates; and the operations that keep a list or
// vector of surfaces in step with a list or vector of bitmap entries.

#include <list>
#include <vector>

#include "graphics/images/bitmap_table.h"
#include "graphics/surfaces/surface.h"

extern std::list<DDSURFACEDATA*> g_SurfaceList;

void SurfaceListAppend(DDSURFACEDATA* lpSD);
// Removes lpSD and every entry whose texture has the serial number dwSerial.
void SurfaceListRemoveSerial(std::uint32_t dwSerial, DDSURFACEDATA* lpSD);
// A surface record moved to a new address.
void RepointSurfaceListEntries(DDSURFACEDATA* from, DDSURFACEDATA* to);

// DirectDraw release: shows "解放漏れがあります" once when DirectDraw surfaces
// are still alive; true when there were some.
bool ShowDirectDrawLeakBox();
// Direct3D release: one report line for each texture still registered.
void ReportTexturesLeftAlive();
// DirectDraw surfaces with pixels of their own, counted for the leak report.
void CountSurfaceCreated();
void CountSurfaceReleased();

void ReleaseSurfaceVector(std::vector<DDSURFACEDATA>& surfaces);
void ReleaseSurfaceList(std::list<DDSURFACEDATA>& surfaces);
// Each returns the real creation result (false when the surface could not be made).
bool SurfaceVectorAdd(std::vector<DDSURFACEDATA>& surfaces, std::vector<BMPFILEDATA>& entries, int w, int h,
                      int bColorKey, int bSystemMemory, int nMemType, int bNoTexture);
bool SurfaceListAdd(std::list<DDSURFACEDATA>& surfaces, std::list<BMPFILEDATA>& entries, int w, int h, int bColorKey,
                    int bSystemMemory, int nMemType, int bNoTexture);
// nPos below 0 counts as 0, at or past the end appends.
bool SurfaceListInsert(std::list<DDSURFACEDATA>& surfaces, std::list<BMPFILEDATA>& entries, int nPos, int w, int h,
                       int bColorKey, int bSystemMemory, int nMemType, int bNoTexture);
int SurfaceListRemove(std::list<DDSURFACEDATA>& surfaces, std::list<BMPFILEDATA>& entries, DDSURFACEDATA* lpSD);
