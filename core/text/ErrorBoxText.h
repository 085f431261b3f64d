#pragma once

#include <string>

// The text an error box shows: a "." is appended when the last character sorts after ".".
std::string ErrorBoxText(const std::string& text);
