#pragma once

// The only call of the conversion core into its front end, while a load works: a front end
// whose user can stop a load implements it. Everything else the core has to say comes back in
// the results of its calls.
class TCoreUI {
public:
  virtual ~TCoreUI() = default;
  // Asked from the thread of a load as often as it reports its progress, and between its
  // longer steps: true ends the load there, with nothing to show. A front end whose user cannot
  // stop a load keeps the default.
  virtual bool StopRequested() { return false; }
};
