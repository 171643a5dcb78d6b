// list_walk.hpp -- the walk that updates every object of an effect family.
#pragma once

#include <utility>

#include "services/system/list.hpp"

// Updates every object of the list front to back, passing args to each.  The
// walk holds each object while it runs, so one removing itself is safe, and an
// object appended during the walk is updated by it in the same frame.
template <typename T, typename... Args>
void update_each(TList<T>& list, const Args&... args) {
    auto walk = list.ObjectEnumerator();
    while (walk.HasNext()) walk.NextObject()->update(args...);
}
