#pragma once

#include <string>

// What ThrownMessage gives for a call that returns.
inline const std::string NothingThrown = "nothing thrown";

// The message of the exception of type E that the call throws, or NothingThrown when it
// returns. An exception of another type passes on to the test.
template <typename E, typename F> std::string ThrownMessage(F&& call) {
  try {
    call();
  } catch (const E& e) {
    return e.what();
  }
  return NothingThrown;
}
