#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <vector>

class TDesktop;

// A command's long work (a load, a run of "Alle") on a thread of its own, while the window
// keeps answering the user. The form starts it and waits for it through the desktop; the job
// tells its progress here, asks here whether the user stopped it, and posts here what the
// window's thread must do for it. One job at a time.
class TBackgroundWork {
public:
  // Runs the job on its own thread and returns once it has ended; meanwhile the desktop takes
  // the user's events and calls tick now and then, after what the job posted. What the job
  // posted last runs before Run returns; what the job throws is thrown here after that.
  void Run(TDesktop& desktop, const std::function<void()>& job, const std::function<void()>& tick);

  // Whether a job is running; any thread may ask.
  bool Running() const { return FRunning; }
  // Esc or "Stop": the job ends where it can.
  void Stop() { FStopped = true; }
  bool Stopped() const { return FStopped; }

  // How far the job is, as `done` of `total` (bytes of a load, files of a run); from any thread.
  void SetProgress(std::size_t done, std::size_t total);
  std::size_t Done() const { return FDone; }
  std::size_t Total() const { return FTotal; }

  // From the job's thread: the window's thread runs the step at its next tick, in order.
  void Post(std::function<void()> step);

private:
  void RunPosted();
  void Tick(const std::function<void()>& tick);

  std::atomic<bool> FRunning{false};
  std::atomic<bool> FStopped{false};
  std::atomic<bool> FEnded{false};
  std::atomic<std::size_t> FDone{0};
  std::atomic<std::size_t> FTotal{0};
  std::mutex FPostedMutex;
  std::vector<std::function<void()>> FPosted;
  // A posted step that asks the user takes events, ticks included; they wait for it.
  bool FTicking = false;
};
