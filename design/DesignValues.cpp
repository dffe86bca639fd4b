#include "design/DesignValues.h"

#include <cmath>
#include <utility>

namespace {

template <class T>
bool Same(const T& a, const T& b)
{
    return a == b;
}

bool Same(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool Same(const DesignPoint& a, const DesignPoint& b)
{
    return Same(a.x, b.x) && Same(a.y, b.y);
}

template <class Tuple, std::size_t... I>
int FirstDifference(const Tuple& a, const Tuple& b, std::index_sequence<I...>)
{
    int first = -1;
    // Left to right; the fold stops at the first difference.
    (void)((Same(std::get<I>(a), std::get<I>(b)) || (first = int(I), false)) && ...);
    return first;
}

} // namespace

int FirstDifferentField(const CDesignValues& a, const CDesignValues& b)
{
    const auto left = a.Tie();
    const auto right = b.Tie();
    return FirstDifference(left, right, std::make_index_sequence<std::tuple_size_v<decltype(left)>>());
}
