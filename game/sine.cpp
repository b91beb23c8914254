#include "game/sine.h"

#include <cmath>

Sine::Sine(double amplitude, double frequency, double phase)
    : amplitude(amplitude), frequency(frequency), phase(phase)
{
}

double Sine::elong(double t) const
{
    return std::sin(frequency * t + phase) * amplitude;
}

void Sine::Derived(double* a, double* w, double* p) const
{
    *a = amplitude * frequency;
    *w = frequency;
    *p = phase + 1.5707963267948966;
}

Sine Sine::Derived() const
{
    double a, w, p;
    Derived(&a, &w, &p);
    return Sine(a, w, p);
}

void Sine::set(double a, double w, double p)
{
    amplitude = a;
    frequency = w;
    phase = p;
}

void Sine::scale(double divisor)
{
    amplitude /= divisor;
}

void Sine::shift(double by)
{
    phase += by;
}
