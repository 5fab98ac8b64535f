#pragma once
// A display forwarded to the test's X server, as `ssh -X` forwards one: a
// client connects to the forwarder's own display number and every byte is
// passed on, both ways. The link can then stop taking what its clients send
// while they still see it open and get their replies: where a client stands
// when its server ends between the client's poll and its write, made
// certain.

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace desktop_test {

class DisplayForwarder {
 public:
  // `serverDisplay` is the X server's ":N".
  explicit DisplayForwarder(const std::string& serverDisplay);
  // Closes every link.
  ~DisplayForwarder();
  DisplayForwarder(const DisplayForwarder&) = delete;
  DisplayForwarder& operator=(const DisplayForwarder&) = delete;

  bool Ready() const { return !display_.empty(); }
  // ":N", for a client's DISPLAY.
  const std::string& Display() const { return display_; }
  // From now on each client's next write finds that its link takes nothing
  // more. What it sent before still reaches the server, and the server's
  // replies reach it: a client waiting for one is not left waiting.
  void StopTakingFromClients();

 private:
  // A client's connection and the one made for it to the server.
  struct Link {
    int client = -1;
    int server = -1;
    // Everything the client sent before the stop has been passed on.
    bool clientDrained = false;
    bool closed = false;
  };
  void Forward();
  void AcceptClient();
  // False once `from` has reached its end, or `to` takes nothing more.
  bool Pass(int from, int to);

  std::string serverSocket_;
  std::string display_;
  int listening_ = -1;
  int wake_[2] = {-1, -1};
  std::thread forwarding_;
  std::mutex mutex_;
  std::vector<Link> links_;
  bool stopped_ = false;
  bool ending_ = false;
};

}  // namespace desktop_test
