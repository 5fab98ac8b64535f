#pragma once
// The graphics part of the report, written once the device exists: screen
// mode and colour depth, the display's refresh rate, and in Direct3D mode
// the renderer and the device limits. Lines that only the Windows graphics
// drivers could fill (video and texture memory, the DirectX version, the
// capability flags and the resource-usage table) are not written: frames are
// drawn on the CPU and shown through SDL.

// 1 when written, 0 when the report file cannot be written.
int WriteGraphicsReport(int detail);
