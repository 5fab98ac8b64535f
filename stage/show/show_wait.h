#pragma once
// The wait of a message or picture that stops the game: the scene's wait
// record is filled by how long the thing stays (until the decide key, or a
// number of frames; "until the stage ends" keeps the record as the last
// wait left it) and the modal sub-loop runs until the wait is over.

class cStageScene;

enum WaitMode : int { kWaitMessage = 1, kWaitPicture = 3 };

// `leading`: frames at the start in which the decide key is not looked at.
void WaitWhileShown(cStageScene& scene, int mode, int duration, int frames, int leading);
// Empties the wait record (every attempt starts with a clean one).
void ClearWaitRecord(cStageScene& scene);
