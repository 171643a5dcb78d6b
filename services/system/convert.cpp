// convert.cpp -- the few conversions the game's arithmetic relies on.
#include "services/system/convert.hpp"

#include <climits>
#include <cmath>
#include <numbers>

double SinDeg(double degrees) {
    return std::sin(degrees * std::numbers::pi / 180.0);
}

double CosDeg(double degrees) {
    return std::cos(degrees * std::numbers::pi / 180.0);
}

int ToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0) return INT_MAX;
    if (value <= -2147483649.0) return INT_MIN;
    return static_cast<int>(value);
}

std::string IntToText(int value) {
    return std::to_string(value);
}
