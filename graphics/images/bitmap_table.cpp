#include "graphics/images/bitmap_table.h"

#include <cstring>
#include <string>

#include "foundation/log.h"
#include "graphics/images/bitmap_load.h"
#include "graphics/device/device.h"

BMPFILEDATA g_BmpTable[kBmpCount];
DDSURFACEDATA g_BmpSD[kBmpCount];

namespace {

void Set(int index, const char* path, int ck, int sys, int mt, int nt, int opt, int mw, int w = 0, int h = 0) {
  BMPFILEDATA& e = g_BmpTable[index];
  std::strncpy(e.szPath, path, sizeof e.szPath - 1);
  e.bColorKey = ck;
  e.bSystemMemory = sys;
  e.nMemType = mt;
  e.bNoTexture = nt;
  e.bOptional = opt;
  e.nMirrorW = mw;
  e.nWidth = w;
  e.nHeight = h;
}

bool BuildTable() {
  Set(0, "bmp\\plt\\Palette.bmp", 0, 1, 0, 0, 0, 0);
  Set(1, "bmp\\Debug.bmp", 1, 0, 0, 0, 0, 0);
  Set(2, "bmp\\Block.bmp", 1, 0, 0, 0, 0, 0);
  Set(3, "bmp\\Block.bmp", 1, 1, 0, 1, 0, 0);
  Set(4, "bmp\\Character1.bmp", 1, 0, 0, 0, 0, 0);
  Set(5, "bmp\\Character1.bmp", 1, 0, 0, 1, 0, 32);
  for (int n = 2; n <= 8; ++n) {
    const std::string path = "bmp\\Character" + std::to_string(n) + ".bmp";
    const int sheet = 6 + 2 * (n - 2), copies = 24 + 2 * (n - 2);
    Set(sheet, path.c_str(), 1, 0, 0, 0, 1, 0);
    Set(sheet + 1, path.c_str(), 1, 0, 0, 1, 1, 32);
    Set(copies, path.c_str(), 1, 1, 0, 1, 1, 0);
    Set(copies + 1, path.c_str(), 1, 1, 0, 1, 1, 32);
  }
  Set(20, "bmp\\Shot.bmp", 1, 0, 0, 0, 0, 0);
  Set(21, "bmp\\Shot.bmp", 1, 0, 0, 1, 0, 16);
  Set(22, "bmp\\Character1.bmp", 1, 1, 0, 1, 0, 0);
  Set(23, "bmp\\Character1.bmp", 1, 1, 0, 1, 0, 32);
  Set(38, "bmp\\Shot.bmp", 1, 1, 0, 1, 0, 0);
  Set(39, "bmp\\Shot.bmp", 1, 1, 0, 1, 0, 16);
  Set(40, "bmp\\Item.bmp", 1, 0, 0, 0, 0, 0);
  Set(41, "bmp\\Item.bmp", 1, 1, 0, 1, 0, 0);
  Set(42, "bmp\\Item_Mini.bmp", 1, 0, 0, 0, 0, 0);
  Set(43, "bmp\\Mark.bmp", 1, 0, 0, 0, 0, 0);
  Set(44, "bmp\\Mark.bmp", 1, 1, 0, 1, 0, 0);
  Set(45, "bmp\\Window.bmp", 1, 0, 0, 0, 0, 0);
  Set(46, "bmp\\StatusWindow.bmp", 1, 0, 0, 0, 0, 0);
  Set(47, "bmp\\Title.bmp", 0, 0, 0, 0, 0, 0);
  Set(48, "bmp\\GameMode.bmp", 1, 0, 0, 0, 1, 0);
  Set(49, "bmp\\Accessory.bmp", 1, 0, 0, 0, 0, 0);
  Set(50, "bmp\\Symbol.bmp", 1, 0, 0, 0, 0, 0);
  Set(51, "bmp\\Word.bmp", 1, 0, 0, 0, 0, 0);
  Set(52, "bmp\\WorldMapChip.bmp", 1, 0, 0, 0, 0, 0);
  Set(53, "bmp\\WorldEvent.bmp", 1, 1, 0, 0, 0, 0);
  Set(54, "bmp\\WorldBack.bmp", 0, 1, 0, 0, 1, 0);
  for (int n = 1; n <= 8; ++n) {
    const std::string name = std::string(Cp932Literal("背景その")) + std::to_string(n) + ".bmp";
    Set(54 + n, name.c_str(), 1, 0, 0, 0, 1, 0);
  }
  Set(63, "E", 1, 1, 0, 0, 0, 0, 256, 960);
  Set(64, "E", 1, 1, 0, 0, 0, 0, 256, 960);
  Set(65, "E", 1, 1, 0, 0, 0, 0, 640, 480);
  Set(66, "E", 0, 1, 0, 0, 0, 0, 640, 480);
  Set(67, "E", 1, 0, 0, 0, 0, 0, 640, 480);
  Set(68, "E", 1, 1, 0, 1, 0, 0, 640, 480);
  Set(69, "E", 1, 0, 2, 0, 0, 0, 1024, 1024);
  Set(70, "E", 1, 1, 1, 0, 0, 0, 1024, 1024);
  return true;
}

const bool g_bTableBuilt = BuildTable();

}  // namespace

bool LoadBmpSurfaces(DDSURFACEDATA* array, const int* indices, int count) {
  for (int i = 0; i < count; ++i) {
    const int index = indices[i];
    if (index < 0 || index >= kBmpCount) {
      DebugLogF("LoadBmpSurfaces Err index = %d", index);
      return false;
    }
    const BMPFILEDATA& e = g_BmpTable[index];
    DDSURFACEDATA* lpSD = &array[index];
    DDReleaseSurface(lpSD);
    if (std::strcmp(e.szPath, "E") != 0) {
      const int result = DDCreateSurfaceFromFile(lpSD, e.szPath, e.bColorKey, g_DDState.nBpp, e.bSystemMemory,
                                                 e.nMemType, e.bNoTexture, e.bKeepPixels, e.nMirrorW, e.nMirrorH, 0);
      if (!CheckSurfaceErr(result) || result != 0) {
        if (e.bOptional) continue;
        ErrorBoxF(Cp932Literal("%s の読み込みに失敗！"), e.szPath);
        return false;
      }
    } else if (!DDCreateSurface(lpSD, e.nWidth, e.nHeight, e.bColorKey, e.bSystemMemory, e.nMemType, e.bNoTexture,
                                0)) {
      if (e.bOptional) continue;
      OutOfMemory();
      return false;
    }
  }
  return true;
}

void LinkBitmapSurfaces() {
  static const int kLinks[][2] = {{3, 2},   {5, 4},   {7, 6},   {9, 8},   {11, 10}, {13, 12}, {15, 14},
                                  {17, 16}, {19, 18}, {21, 20}, {22, 4},  {23, 4},  {24, 6},  {25, 6},
                                  {26, 8},  {27, 8},  {28, 10}, {29, 10}, {30, 12}, {31, 12}, {32, 14},
                                  {33, 14}, {34, 16}, {35, 16}, {36, 18}, {37, 18}, {38, 20}, {39, 20},
                                  {41, 40}, {44, 43}, {68, 67}};
  for (const auto& link : kLinks) g_BmpSD[link[0]].lpAlias = &g_BmpSD[link[1]];
}
