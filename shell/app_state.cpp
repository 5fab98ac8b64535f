#include "shell/app_state.h"

std::atomic<int> g_bActive{0};
int g_bGameStarted = 0;
int g_bWindowed = 0;
int g_bDirectStage = 0;
std::atomic<int> g_bClosing{0};
