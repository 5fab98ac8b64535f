#pragma once
// An X server of the test's own, on a display number it chose itself: Xvfb
// with a screen of the size and colour depth asked for (24 bits, as most
// desktops have, unless said otherwise; 30 is a desktop of 10 bits a
// channel), or Xorg with its dummy video driver and several monitors (Xvfb
// has one RandR output only).

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/spawned_program.h"

// A monitor of the test's Xorg: its size, and whether it is the primary one.
struct VirtualMonitor {
  int width = 0;
  int height = 0;
  bool primary = false;
};

class VirtualXServer {
 public:
  // Xvfb with one screen of the size and depth.
  VirtualXServer(int width, int height, int depth = 24);
  // Xorg with the monitors side by side, left to right in the order given,
  // their tops level; its configuration and its log are kept in `folder`.
  VirtualXServer(const std::vector<VirtualMonitor>& monitors, const std::filesystem::path& folder);
  // Ended as a user ends it, so that it takes its display's lock with it.
  ~VirtualXServer();
  VirtualXServer(const VirtualXServer&) = delete;
  VirtualXServer& operator=(const VirtualXServer&) = delete;

  bool Ready() const { return !display_.empty(); }
  // Ends the server under the programs still connected to it, as a
  // session's end does.
  void End();
  // ":N", for DISPLAY.
  const std::string& Display() const { return display_; }
  // What a player started on this server is given: the display, SDL's own
  // choice of video driver, and under ThreadSanitizer the graphics driver's
  // threads (which it cannot see into, and which are not the player's) left
  // out of its reports.
  SpawnedProgram::Setup::Environment PlayerEnvironment() const;

 private:
  // Starts the server, which writes its display number to its descriptor 3
  // once it takes connections.
  void Start(std::vector<std::string> command);

  std::unique_ptr<SpawnedProgram> server_;
  int numberPipe_ = -1;
  std::string display_;
};
