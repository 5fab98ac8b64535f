#include "input/input_record.h"

namespace {

cVector<cInput> MakeInputs() {
  cInput player;
  player.Init();
  return cVector<cInput>(1, player);
}

}  // namespace

cVector<cInput> g_Inputs = MakeInputs();

void cInput::Init() {
  ClearHistory();
  m_vDirPress.assign(kDirPressLogs, PRESSHISTORY{});
  m_vButtonPress.assign(kButtonPressLogs, PRESSHISTORY{});
  m_nDirCode = kDirCodeCentre;
  m_Joystick.fill(JoystickWatch{});
}

void cInput::ClearHistory() {
  for (auto& ring : m_History) ring.fill(INPUTHISTORY{});
  m_nHistoryIndex.fill(0);
}

void cInput::ResetPressLogs() {
  for (PRESSHISTORY& log : m_vDirPress) log = PRESSHISTORY{};
  for (PRESSHISTORY& log : m_vButtonPress) log = PRESSHISTORY{};
}

void cInput::Reset() {
  ClearHistory();
  ResetPressLogs();
  ClearDir();
  ClearButtons();
}

void cInput::ClearDir() {
  m_wDir = 0;
  m_nDirCode = kDirCodeCentre;
}

void cInput::SetKeyRepeat(std::uint32_t delay, std::uint32_t interval) {
  m_nRepeatDelay = delay;
  m_nRepeatInterval = interval;
}

void cInput::InitJoyButtons() {
  for (int i = 0; i < kButtonCount; ++i) m_wJoyButton[i] = static_cast<std::uint16_t>(1u << i);
}

int DirCodeOfWord(std::uint16_t dirWord) {
  int code = kDirCodeCentre;
  if (dirWord & kDirLeft) code -= 1;
  if (dirWord & kDirRight) code += 1;
  if (dirWord & kDirUp) code -= 3;
  if (dirWord & kDirDown) code += 3;
  return code;
}

int GetDirCode(const cInput& input) { return DirCodeOfWord(input.m_wDir); }
