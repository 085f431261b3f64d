#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

// Writes the file, creating its folder when missing.
inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A small, faultless tournament: two players, two rounds, CR LF line ends.
inline std::string TournamentCsv(const std::string& naam = "Voorbeeldtoernooi") {
  return "012;" + naam +
         "\r\n022;Voorbeeldstad\r\n032;NED\r\n042;03-10-2009\r\n052;10-10-2009\r\n"
         "102;Ab Cd\r\n122;60 min\r\n"
         "900;1;03-10-2009;7000001;1234;1;Ab, Cd;Ef, Gh;17-05-2001;\r\n"
         "900;2;10-10-2009;1234;7000001;3;Ef, Gh;Ab, Cd;;\r\n";
}
