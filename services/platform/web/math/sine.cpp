// sine.cpp -- sin and cos for the browser build, correctly rounded.  The
// desktop's C library rounds them correctly for nearly every angle and the
// browser's own library for fewer; the game's moves and rotated drawing
// must come out the same in both, so the browser build computes them in
// quadruple precision (its long double) and rounds once.
#include <cmath>

extern "C" double sin(double x) {
    return double(sinl(x));
}

extern "C" double cos(double x) {
    return double(cosl(x));
}
