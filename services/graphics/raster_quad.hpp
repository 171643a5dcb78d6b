// raster_quad.hpp -- where a drawn frame lands: its corners on screen and, for
// each screen row, the run of pixels whose centres lie inside it.
#pragma once

// The drawing matrix: a point (px, py) relative to the handle lands at
// (x + px * ix + py * iy, y + px * jx + py * jy).
struct TQuadMatrix {
    float ix = 1, iy = 0, jx = 0, jy = 1;
};

// A frame placed on screen, mapped back from screen pixels to frame texels.
// u, v are frame coordinates (0..width, 0..height) at a pixel centre.
struct TQuadMap {
    double u0 = 0, v0 = 0;                // u, v at the centre of screen pixel (0, 0)
    double du_dx = 0, dv_dx = 0;          // change per screen pixel to the right
    double du_dy = 0, dv_dy = 0;          // change per screen row downwards
    double inv_du_dx = 0, inv_dv_dx = 0;  // 1 / du_dx, 1 / dv_dx (0 when those are 0)
    double width = 0, height = 0;         // frame size in texels
    bool u_lo_in = true, u_hi_in = false, v_lo_in = true, v_hi_in = false;  // top-left rule
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;        // pixels that may be covered: [x0, x1) x [y0, y1)
    float corner_x[4] = {}, corner_y[4] = {};  // screen corners (float, unclamped)
};

// Places a width x height frame with handle (hx, hy) at (x, y) in screen pixels
// (origin already added) through the matrix.  False when nothing can be
// covered: empty frame, a flat or non-finite matrix or position.
bool PlaceQuad(const TQuadMatrix& matrix, int width, int height, float hx, float hy, float x,
               float y, TQuadMap& out);

// True for the common case: no rotation, scale 1 (the frame is a plain copy).
bool IsIdentityMatrix(const TQuadMatrix& matrix);
