#pragma once
// The scene bracket and the render-target switch of Direct3D mode. The CPU
// renderer draws straight into the destination of each call; these keep the
// device's observable rules: which surfaces can be drawn to through the
// quad path, and the open/closed scene state.

#include "graphics/surfaces/surface.h"

int DDBeginScene();
void DDEndScene();
// 1 when the surface is a render target with pixels (it becomes the target).
// A render target whose texture a device loss took fails with a report line,
// once until it becomes the target again.
int DDSetRenderTarget(int nIgnored, DDSURFACEDATA* lpSD);
