#include "graphics/surfaces/surface_list.h"

#include <algorithm>
#include <iterator>

#include "foundation/log.h"
#include "graphics/device/device.h"

std::list<DDSURFACEDATA*> g_SurfaceList;

namespace {
int g_nLiveDirectDrawSurfaces = 0;
}  // namespace

void SurfaceListAppend(DDSURFACEDATA* lpSD) { g_SurfaceList.push_back(lpSD); }

void SurfaceListRemoveSerial(std::uint32_t dwSerial, DDSURFACEDATA* lpSD) {
  g_SurfaceList.remove_if([&](DDSURFACEDATA* entry) {
    return entry == lpSD || (entry->lpDT && !entry->lpAlias && entry->lpDT->dwSerial == dwSerial);
  });
}

void RepointSurfaceListEntries(DDSURFACEDATA* from, DDSURFACEDATA* to) {
  for (DDSURFACEDATA*& entry : g_SurfaceList)
    if (entry == from) entry = to;
}

void CountSurfaceCreated() { ++g_nLiveDirectDrawSurfaces; }
void CountSurfaceReleased() { --g_nLiveDirectDrawSurfaces; }

bool ShowDirectDrawLeakBox() {
  if (g_nLiveDirectDrawSurfaces == 0) return false;
  MesBox(Cp932Literal("解放漏れがあります"), "DirectDraw", MB_ICONERROR);
  return true;
}

void ReportTexturesLeftAlive() {
  for (const DDSURFACEDATA* lpSD : g_SurfaceList)
    Report("Direct3D texture not released at the device release: %s %d x %d (%s)", lpSD->szLabel, lpSD->nWidth,
           lpSD->nHeight, lpSD->szFile);
}

void ReleaseSurfaceVector(std::vector<DDSURFACEDATA>& surfaces) {
  for (DDSURFACEDATA& sd : surfaces) DDReleaseSurface(&sd);
}

void ReleaseSurfaceList(std::list<DDSURFACEDATA>& surfaces) {
  for (DDSURFACEDATA& sd : surfaces) DDReleaseSurface(&sd);
}

namespace {

BMPFILEDATA EmptyEntry(int bColorKey, int bSystemMemory, int nMemType, int bNoTexture) {
  BMPFILEDATA entry;
  entry.bColorKey = bColorKey;
  entry.bSystemMemory = bSystemMemory;
  entry.nMemType = nMemType;
  entry.bNoTexture = bNoTexture;
  return entry;
}

bool CreateForEntry(DDSURFACEDATA* lpSD, const BMPFILEDATA& entry, int w, int h) {
  return DDCreateSurface(lpSD, w, h, entry.bColorKey, entry.bSystemMemory, entry.nMemType, entry.bNoTexture, 0);
}

}  // namespace

bool SurfaceVectorAdd(std::vector<DDSURFACEDATA>& surfaces, std::vector<BMPFILEDATA>& entries, int w, int h,
                      int bColorKey, int bSystemMemory, int nMemType, int bNoTexture) {
  entries.push_back(EmptyEntry(bColorKey, bSystemMemory, nMemType, bNoTexture));
  surfaces.emplace_back();
  return CreateForEntry(&surfaces.back(), entries.back(), w, h);
}

bool SurfaceListAdd(std::list<DDSURFACEDATA>& surfaces, std::list<BMPFILEDATA>& entries, int w, int h, int bColorKey,
                    int bSystemMemory, int nMemType, int bNoTexture) {
  return SurfaceListInsert(surfaces, entries, static_cast<int>(surfaces.size()), w, h, bColorKey, bSystemMemory,
                           nMemType, bNoTexture);
}

bool SurfaceListInsert(std::list<DDSURFACEDATA>& surfaces, std::list<BMPFILEDATA>& entries, int nPos, int w, int h,
                       int bColorKey, int bSystemMemory, int nMemType, int bNoTexture) {
  const int size = static_cast<int>(std::min(surfaces.size(), entries.size()));
  const int pos = nPos < 0 ? 0 : (nPos > size ? size : nPos);
  auto entry = entries.insert(std::next(entries.begin(), pos), EmptyEntry(bColorKey, bSystemMemory, nMemType, bNoTexture));
  auto surface = surfaces.emplace(std::next(surfaces.begin(), pos));
  return CreateForEntry(&*surface, *entry, w, h);
}

int SurfaceListRemove(std::list<DDSURFACEDATA>& surfaces, std::list<BMPFILEDATA>& entries, DDSURFACEDATA* lpSD) {
  auto entry = entries.begin();
  for (auto it = surfaces.begin(); it != surfaces.end(); ++it) {
    if (&*it == lpSD) {
      DDReleaseSurface(&*it);
      surfaces.erase(it);
      if (entry != entries.end()) entries.erase(entry);
      return 1;
    }
    if (entry != entries.end()) ++entry;
  }
  return 0;
}
