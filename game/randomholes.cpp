#include "randomholes.h"

#include "boardlayout.h"

#include <cmath>

namespace {
constexpr quint64 Multiplier = 1140671485;
constexpr quint64 Increment = 12820163;
}

double RandomHoles::next(double argument)
{
    if (argument > 0.0)
        m_state = static_cast<quint32>((m_state * Multiplier + Increment) % Modulus);
    return static_cast<double>(m_state) / Modulus;
}

int RandomHoles::pickHole(double dayFraction)
{
    // std::nearbyint rounds ties to even in the default rounding mode: 2.5 -> 2, 7.5 -> 8.
    return static_cast<int>(std::nearbyint(next(dayFraction) * (BoardLayout::HoleCount - 1)));
}
