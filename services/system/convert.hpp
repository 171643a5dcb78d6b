// convert.hpp -- the arithmetic the game's rules rely on.
#pragma once

#include <string>

double SinDeg(double degrees);  // sin(degrees * pi / 180), in double
double CosDeg(double degrees);
// Whole part: float or double to int truncates toward zero (2.9 -> 2, -2.9 -> -2);
// values beyond the int range saturate instead of being undefined.
int ToInt(double value);
std::string IntToText(int value);  // decimal, leading "-" for negatives
