#pragma once

#include "types.h"

#include <functional>
#include <string>

// A binary PPM picture (the picture loader reads files by their content, so it
// may carry a .gif name); colourAt gives each pixel.
std::string PpmPicture(int width, int height, const std::function<Color(int x, int y)>& colourAt);

constexpr Color kRed { 255, 0, 0, 0 };
constexpr Color kGreen { 0, 160, 0, 0 };
constexpr Color kBlue { 0, 0, 255, 0 };
