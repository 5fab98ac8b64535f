#pragma once
// The headless run harness: the player's start-up on a game folder without
// a window, a display, a sound device or a keyboard; frames stepped one by
// one on the calling thread with a clock that advances only when the frame
// step waits; each presented frame read back (or written as a PNG); and the
// player's own close path at the end. Integration tests run whole games on
// it; later subsystems add what they need to observe.
//
// The calling thread becomes the main thread, so the requests the frame
// step sends are served at once, in order.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/main_thread.h"
#include "shell/game/game_clock.h"

class cRunHarness {
 public:
  // The folder becomes the working folder from Start until Close.
  explicit cRunHarness(std::filesystem::path gameFolder);
  ~cRunHarness();
  cRunHarness(const cRunHarness&) = delete;
  cRunHarness& operator=(const cRunHarness&) = delete;

  // Start-up as the player runs it (report log, window, InitGame); false when
  // InitGame failed, after which the harness is closed already.
  bool Start(std::string_view commandLine = {});

  // Steps up to `count` frames, each after a pass of the window's events and
  // the main thread's requests (as the player's event loop makes them);
  // after each, `afterFrame` (when given) sees the frame's number from 0.
  // Returns the frames stepped: fewer when the frame step asked to end the
  // game or a close request closed the player.
  int StepFrames(int count, const std::function<void(int)>& afterFrame = {});

  // The last frame handed to the screen, 0x00RRGGBB row after row.
  std::vector<std::uint32_t> PresentedFrame(int* width, int* height) const;
  bool WritePresentedFramePng(const std::filesystem::path& file) const;

  cManualClock& Clock() { return m_clock; }
  const std::filesystem::path& Folder() const { return m_folder; }

  // The player's close path (a close of the given kind), then the shutdown.
  // Returns true when the player closed; false when the close was refused
  // (the player answered No to the exit question) and it runs on.
  bool Close(platform::CloseReason reason = platform::CloseReason::User);

 private:
  void Finish();

  std::filesystem::path m_folder;
  std::filesystem::path m_previousFolder;
  cManualClock m_clock;
  bool m_started = false;
};
