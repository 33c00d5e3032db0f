#pragma once

// The program's one 32-bit random generator, seeded from the time of day so that two builds
// seeded at the same millisecond draw the same order.

#include <cstdint>
#include <functional>

namespace palvexa {

class Rng {
public:
    // Milliseconds since midnight UTC.
    using TimeOfDay = std::function<std::uint32_t()>;

    // Replaces the time-of-day source (tests); an empty function restores the system clock.
    static void setTimeOfDaySource(TimeOfDay source);
    static std::uint32_t timeOfDay();

    void seed() { state_ = timeOfDay(); }
    void setState(std::uint32_t state) { state_ = state; }
    std::uint32_t state() const { return state_; }

    // A value in 0..n - 1 (0 when n <= 0); advances the state either way.
    std::int32_t below(std::int32_t n) {
        state_ = state_ * 134775813u + 1u;
        if (n <= 0)
            return 0;
        return std::int32_t((std::uint64_t(state_) * std::uint64_t(n)) >> 32);
    }

private:
    std::uint32_t state_ = 0;
};

// The generator shared by the whole program; its state lives on between builds.
Rng& sharedRng();

} // namespace palvexa
