#pragma once

#include <QtGlobal>

// The succession of holes the eyes pop out of. A 24-bit linear congruential generator that
// starts from a fixed state and is never seeded, so every run of the program brings the
// same holes in the same order; rounds continue the succession where the last one stopped.
class RandomHoles
{
public:
    // The next value in [0, 1). A positive argument advances the generator; an argument of
    // 0 (the first second after midnight) returns the last value again.
    double next(double argument);
    // The next hole, 0 to 10: the value times 10, rounded half to even, so the first and
    // last holes come half as often as the others.
    int pickHole(double dayFraction);

private:
    static constexpr quint32 Modulus = 1u << 24;
    quint32 m_state = 327680;
};
