#pragma once
// A desktop box where no window manager runs (an X session that runs only
// the game, a kiosk): nobody gives the box's window the keyboard's focus,
// and the keys go on to the window that had it, the game's (one waiting for
// its own box, or the running game under a second start's question, where
// Escape would end it). There the box takes the focus itself once it shows,
// and gives it back to the window that had it when it goes.

#include <string>
#include <vector>

struct _XDisplay;

namespace platform::sdl {

class UnmanagedBoxFocus {
 public:
  // On the thread about to show the box of that title, before the box starts.
  explicit UnmanagedBoxFocus(const std::string& utf8Title);
  // Once the box has gone.
  ~UnmanagedBoxFocus();
  UnmanagedBoxFocus(const UnmanagedBoxFocus&) = delete;
  UnmanagedBoxFocus& operator=(const UnmanagedBoxFocus&) = delete;

  // Looked at again and again while the box's process runs (SDL shows it in
  // a process of its own; the thread that waits for it cannot): the box's
  // window gets the focus once it shows.
  void TakeTheFocusOnceShown();

 private:
  // Open only where no window manager runs.
  ::_XDisplay* display_ = nullptr;
  std::string title_;
  // Other windows of that title (another start's question).
  std::vector<unsigned long> titledBefore_;
  unsigned long focusBefore_ = 0;
  unsigned long box_ = 0;
};

}  // namespace platform::sdl
