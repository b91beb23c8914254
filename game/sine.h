// One sine oscillation a x sin(w x t + p) of a free time argument t: the
// arrow's swing is the sum of three of these, and their second derivatives
// pick Tamm's pose.
#ifndef ORBITPUB_GAME_SINE_H
#define ORBITPUB_GAME_SINE_H

class Sine {
public:
    // Set at construction and by set/scale/shift; a Sine is copied by value.
    double amplitude;  // a; 0 switches the oscillator off
    double frequency;  // w, radians per unit of t
    double phase;      // p, radians added to w x t

    Sine(double amplitude, double frequency, double phase);

    // The value at time t.
    double elong(double t) const;
    // The derivative oscillator's amplitude, frequency and phase.
    void Derived(double* amplitude, double* frequency, double* phase) const;
    // The derivative of this oscillator with respect to t.
    Sine Derived() const;
    void set(double amplitude, double frequency, double phase);
    // Divides the amplitude by divisor, which must not be 0.
    void scale(double divisor);
    void shift(double by);
};

#endif
