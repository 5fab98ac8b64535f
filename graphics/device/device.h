#pragma once
// The drawing device: the choice between the two drawing modes, the device
// state every drawing call reads, the screen surfaces and the end of a frame.
//
// Both modes draw on the CPU. `lpDTCon` is the one test every `DD` call
// makes: nullptr in DirectDraw mode (palette numbers and colour keys, 8 or
// 32 bits per pixel), the Direct3D context otherwise (32-bit ARGB with the
// textured-quad rules: colour and alpha operations, blending, render
// targets, batches). A 16-bit request runs as 32 bits in both modes.

#include <cstdint>
#include <string>

#include "graphics/surfaces/surface.h"

struct BMPFILEDATA;

// An RGB triple in the byte order the game stores it.
struct RGBTRIPLE {
  std::uint8_t rgbtBlue = 0, rgbtGreen = 0, rgbtRed = 0;
};

// The Direct3D context; exists only in Direct3D mode.
struct DTCONTEXT {
  // Device limits. The CPU device takes any size; tests switch the rounding
  // rules on to check how sizes are fitted.
  int bPow2Only = 0;
  int bSquareOnly = 0;
  int nMaxTextureWidth = 8192;
  int nMaxTextureHeight = 8192;

  int bVirBackBuffer = 0;                  // virtual back-buffer mode
  DDSURFACEDATA* lpDefaultTarget = nullptr;
  int bVirCopy = 0;                        // 1 while CopyVirBackBuffer runs

  RGBTRIPLE rgbTransmit;                   // the transparent colour
  RGBTRIPLE rgbTransmit2;                  // as set by the project or read from a colour table
  std::uint32_t dwClearColor = 0;          // transparent black
  std::uint32_t dwTransOpaque = 0xFF000000;  // 0xFF, red, green, blue of rgbTransmit

  int bSceneBegun = 0;
  std::uint32_t dwDrawColor = 0xFFFFFFFF;  // diffuse colour of textured blits
  std::uint32_t dwColorOp = 4;             // texture-stage colour operation
  std::uint32_t dwAlphaOp = 4;             // texture-stage alpha operation
  std::uint32_t dwNextSerial = 1;
  std::uint32_t dwNextFontSerial = 0;
  std::string strTextureFailure;           // shown when a texture cannot be made (CP932)
};

// The DirectDraw context; exists only in DirectDraw mode.
struct DDCONTEXT {
  RGBTRIPLE rgbTransmit;
  RGBTRIPLE rgbTransmit2;
  std::uint32_t dwNextFontSerial = 0;
};

struct DDDEVICESTATE {
  int bDirectDraw = 0;      // the DirectDraw device exists
  int bDirect3D = 0;        // the Direct3D device exists
  int nUseD3D = 0;
  int bInitialized = 0;
  int nWidth = 0, nHeight = 0;
  int nBpp = 0;             // 8 or 32 (16 and 24 run as 32)
  int nBytesPerPixel = 0;
  int nWindowMode = 1;      // 0 full screen, 1 window
  int nBackBufferCount = 1;
  int bVSync = 0;
  std::uint32_t dwColorKey = 0;  // transparent colour as a pixel value (DirectDraw)
  DTCONTEXT* lpContext = nullptr;
  DDCONTEXT* lpDDContext = nullptr;
  int nRefreshRate = 60;
  int bUseRefreshRate = 0;
  DDSURFACEDATA* lpBmpSD = nullptr;
  BMPFILEDATA* lpBmpTable = nullptr;
  int nBmpCount = 0;
};

extern DDDEVICESTATE g_DDState;
extern DTCONTEXT* lpDTCon;
extern DDCONTEXT* lpDDCon;
extern int g_bDDInitOnce;

// Screen surfaces.
extern DDSURFACEDATA PrimarySD;      // DirectDraw: the screen; a blit onto it shows the frame
extern DDSURFACEDATA BackBuffer;     // both modes: the 640 x 480 frame being drawn
extern DDSURFACEDATA DDWorkSD;       // DirectDraw: screen-size work surface
extern DDSURFACEDATA VirBackBuffer;  // Direct3D: stands in for BackBuffer in virtual mode
extern DDSURFACEDATA WorkSD;         // Direct3D: screen-size work render target

bool DDInit(int nUseD3D, int nWidth, int nHeight, int nBpp, int bVSync, int nWindowMode, int nBackBufferCount,
            int nRefreshRate, int bUseRefreshRate, DDSURFACEDATA* lpBmpSD, BMPFILEDATA* lpBmpTable, int nBmpCount);
void DDRelease();
// Ends a Direct3D frame and hands BackBuffer to the presenter. 1 when shown
// (always in DirectDraw mode), 0 when the device is lost.
int DDPresent(int nFps, int bOverlay, std::uint32_t dwOverlayColor);
// DirectDraw full screen: shows BackBuffer (the flip of the flip chain).
void DDFlip();

void DDSetVirBackBufferMode(int bOn);
int RedirectToVirBackBuffer(DDSURFACEDATA** ppSD);
void CopyVirBackBuffer(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc);
void ResolveAliasSurface(DDSURFACEDATA** ppSD);

void DDSetDrawColor(std::uint32_t dwColor);
void DDResetDrawColor();
void DDSetColorOp(std::uint32_t dwOp);
void DDResetColorOp();
void DDSetAlphaOp(std::uint32_t dwOp);
void DDResetAlphaOp();

// Frame pacing of Direct3D presents, provided by the shell's frame step.
using PaceFrameFunc = bool (*)(int nFps, int bOverlay, std::uint32_t dwOverlayColor);
void SetPaceFrameD3D(PaceFrameFunc pace);
