#pragma once
// The pictures of the point effects (Effect.dat): one surface per effect
// definition, made from the file its record names. The effect's two surface
// places (2n - 2 and 2n - 1) share that one surface's pixels, never a copy.
// A picture that cannot be loaded is logged and draws nothing.

struct DDSURFACEDATA;

void LoadEffectSurfaces();
void ReleaseEffectSurfaces();
// After a lost screen; 1 always.
int RestoreEffectSurfaces();
// Surface place i of the effect list (2n - 2 or 2n - 1 for effect n);
// nullptr outside the list.
DDSURFACEDATA* EffectSurface(long long place);
