#pragma once
// An X server of the test's own (Xvfb), on a display number it chose
// itself, with a screen of the size and colour depth asked for (24 bits, as
// most desktops have, unless said otherwise; 30 is a desktop of 10 bits a
// channel).

#include <memory>
#include <string>

#include "tests/support/spawned_program.h"

class VirtualXServer {
 public:
  VirtualXServer(int width, int height, int depth = 24);
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
  std::unique_ptr<SpawnedProgram> server_;
  int numberPipe_ = -1;
  std::string display_;
};
