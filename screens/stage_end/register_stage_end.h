#pragma once
// Gives the stage its end of stage and its menus (the stage's end-of-stage
// table); called with the screens' registration at start-up.
void RegisterStageEnd();
