#pragma once

#include <string>
#include <string_view>

// The files a front end lists and converts: tournament files, known by their extension in any
// case. Every front end asks here, so that the window's folder list, the page's picker and its
// drops take the same files.
inline constexpr std::string_view InvoerExtensie = ".csv";

// The same as a file mask, as a folder list filters by it: "*.csv".
inline std::string InvoerMasker() {
  return "*" + std::string(InvoerExtensie);
}
