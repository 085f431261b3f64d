#include "app/logic/BackgroundWork.h"

#include "app/logic/Desktop.h"

#include <exception>
#include <stdexcept>
#include <thread>
#include <utility>

void TBackgroundWork::Run(TDesktop& desktop, const std::function<void()>& job,
                          const std::function<void()>& tick) {
  if (FRunning) throw std::logic_error("TBackgroundWork::Run while a job runs");
  FStopped = false;
  FEnded = false;
  FDone = 0;
  FTotal = 0;
  FRunning = true;
  std::exception_ptr failure;
  std::thread thread([&] {
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
    FEnded = true;
    desktop.Wake();
  });
  try {
    desktop.WaitUntil([this] { return FEnded.load(); }, [&] { Tick(tick); });
  } catch (...) {
    // The job must not outlive what it works on.
    FStopped = true;
    thread.join();
    FRunning = false;
    FPosted.clear();
    throw;
  }
  thread.join();
  FRunning = false;
  RunPosted();
  if (failure) std::rethrow_exception(failure);
}

void TBackgroundWork::Tick(const std::function<void()>& tick) {
  if (FTicking) return;
  FTicking = true;
  try {
    RunPosted();
    tick();
  } catch (...) {
    FTicking = false;
    throw;
  }
  FTicking = false;
}

void TBackgroundWork::SetProgress(std::size_t done, std::size_t total) {
  FTotal = total;
  FDone = done;
}

void TBackgroundWork::Post(std::function<void()> step) {
  const std::lock_guard lock(FPostedMutex);
  FPosted.push_back(std::move(step));
}

void TBackgroundWork::RunPosted() {
  std::vector<std::function<void()>> steps;
  {
    const std::lock_guard lock(FPostedMutex);
    steps.swap(FPosted);
  }
  for (const std::function<void()>& step : steps) step();
}
