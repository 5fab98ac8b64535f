#pragma once
// What is drawn over a character besides its cell: the mark icon of its
// definition and the HP and SP gauges that show for two seconds after a
// change. The gauges count down in the advance half, which keeps the gauge
// as it stood before the count for the pixel half, so a gauge started with
// 120 frames is drawn 120 times and its change part during the first 60.

class cChara;
class cSystem;
struct DDSURFACEDATA;
struct Gauge;

// Counts both gauges of a living character down by one frame.
void AdvanceCharaGauges(cChara& chara);
// One gauge's frame: timer - 1; the change shrinks by its step while the
// timer is still 60 or more, and is 0 afterwards.
void StepGauge(Gauge& gauge);

// The mark cell (15 to a column on the mark sheet) at the screen place,
// 32 x 32 or stretched to the drawn size; only when the definition shows it.
void DrawCharaMark(const cChara& chara, DDSURFACEDATA* surface);
// The 50-dot gauges centred over the character, 3 (HP) and 7 (SP) dots
// above its top, in the warning colour below the system's threshold.
void DrawCharaGauges(const cChara& chara, const cSystem& system, DDSURFACEDATA* surface);

// The row of gauge part `part` (0 background, 1 bar, 2 warning bar, 3 gain,
// 4 loss) on a system sheet `sheetHeight` dots high.
int GaugePartRow(int part, int sheetHeight);
