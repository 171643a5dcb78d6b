// effects.cpp -- clearing the five effect families at once.
#include "fx/effects.hpp"

#include "fx/brick.hpp"
#include "fx/dust.hpp"
#include "fx/explode.hpp"
#include "fx/flame.hpp"
#include "fx/points.hpp"

void clear_effects() {
    flame_tag::destroy_all();
    points_tag::destroy_all();
    brick_tag::destroy_all();
    dust_tag::destroy_all();
    explode_tag::destroy_all();
}
