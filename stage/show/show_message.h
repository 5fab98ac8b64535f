#pragma once
// "メッセージ": shows the command's text in a message window, replaces the
// window of the same ID in place, or removes it; with the wait switch the
// game stops until the window is closed (the decide key or its time) and the
// window goes with the wait. `messageOpen`: a window of the same flow (or
// item) is still open, so this one shows without its opening, without the
// first frames in which the key is not looked at, and without the sound.

class cChara;
class cEdCmd;

void ShowMessage(cChara& chara, const cEdCmd& command, int messageOpen);
