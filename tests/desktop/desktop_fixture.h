#pragma once
// A desktop test's case: a folder of its own with the sample game in it, a
// desktop (an X server and a window manager) and the player program as
// built, started there as a user starts it. Everything the case started
// ends with it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/desktop/desktop_session.h"
#include "tests/desktop/screen_picture.h"
#include "tests/support/spawned_program.h"
#include "tools/sample_game/sample_game.h"

namespace desktop_test {

class DesktopFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the desktop (at 24 bits a pixel unless `depth` says otherwise);
  // the case fails, saying what is missing, when it cannot.
  bool StartDesktop(WindowManager manager, int width, int height, int depth = 24);
  // The same with the monitors side by side, left to right.
  bool StartDesktop(WindowManager manager, const std::vector<VirtualMonitor>& monitors);
  const XDisplay& X() const { return desktop_->X(); }
  const std::string& Display() const { return desktop_->Display(); }
  // Ends the X server under the player (X() is gone from then on).
  void EndXServer() { desktop_->EndXServer(); }
  void WriteGame(const sample_game::StartupSettings& startup);
  const std::filesystem::path& Game() const { return game_; }

  // The player program started in the game folder, with its lock and home
  // in the case's folder, on the X server with SDL's dummy sound driver,
  // unless `changes` to its environment say otherwise; it is ended with the
  // case, if not before.
  SpawnedProgram& StartPlayer(const std::vector<std::string>& arguments = {},
                              const SpawnedProgram::Setup::Environment& changes = {});
  // The same, started by a program of the test's that is given the player's
  // command line after its own (a sandbox, a script that starts players).
  SpawnedProgram& StartPlayerThrough(const std::vector<std::string>& launcher);
  // The same with another copy of the player program (one that another
  // user may run).
  SpawnedProgram& StartPlayerThrough(const std::vector<std::string>& launcher,
                                     const std::filesystem::path& player);
  // The desktop (openbox at 1024x768), the game with `startup` and the
  // player showing its title; nothing (the case failed) when one did not come.
  SpawnedProgram* StartPlayerAtTheTitle(const sample_game::StartupSettings& startup);
  // The player's window once it is shown (nothing when none came).
  std::optional<XWindowId> WindowOf(SpawnedProgram& player) const;
  // Waits until the window's inner area shows the frame.
  bool WaitUntilShown(XWindowId window, const GameFrame& frame) const;
  // Taps the key, as a user does, and waits until the window's picture
  // changes (the screens tapped on stand still, so a change is the key's).
  // A player starved of the processor may not look at its keys while one is
  // down: as a user does when nothing happens, the key is tapped again after
  // a few seconds without a change.
  bool TapAndWaitForThePictureToChange(XWindowId window, unsigned long keySymbol) const;
  // Taps the key round a menu (its frames with each command chosen) until
  // the window shows command `command` chosen, as a user taps on when a tap
  // went past it: a player starved of the processor can read a tap as a key
  // held into the menu's repeat. False when a tap got no answer or no
  // command of the menu showed after one.
  bool TapUntilChosen(XWindowId window, unsigned long keySymbol, const std::vector<GameFrame>& menu,
                      std::size_t command) const;
  // Holds the key down, as a player holds a key until the game answers,
  // until the window no longer shows the frame's part, and lets it go.
  bool HoldUntilNoLongerShown(XWindowId window, unsigned long keySymbol, const GameFrame& frame) const;
  // Switches the desktop's keyboard to an XKB layout ("de", "fr"); the case
  // fails, saying why, when it cannot.
  bool SwitchKeyboardLayout(const std::string& layout) const;
  // Gives the focus to a window of the test's own and back to this one.
  bool TakeAndReturnTheFocus(XWindowId window) const;

  std::string Report() const;
  // Ends the player as a termination does, which closes it without asking.
  static bool Terminate(SpawnedProgram& player);

 private:
  // How many of the frame's pixels the window's inner area does not show now.
  int PixelsNotShownNow(XWindowId window, const GameFrame& frame) const;
  bool ShownNow(XWindowId window, const GameFrame& frame) const;
  // The menu's command whose frame the window shows now, if any.
  std::optional<std::size_t> CommandShownNow(XWindowId window, const std::vector<GameFrame>& menu) const;

  SpawnedProgram& StartInTheGame(std::vector<std::string> command,
                                 const SpawnedProgram::Setup::Environment& changes);

  std::filesystem::path folder_;
  std::filesystem::path game_;
  std::vector<std::unique_ptr<SpawnedProgram>> players_;
  std::unique_ptr<DesktopSession> desktop_;
};

}  // namespace desktop_test
