#include "platform/Runtime.h"

#include <chrono>
#include <random>

namespace {

std::mt19937& Generator() {
    static std::mt19937 generator;
    return generator;
}

}  // namespace

void Randomize() {
    Generator().seed(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
}

float Rnd() {
    // 24 random bits fill a float's mantissa exactly, so the result is always below 1.
    return static_cast<float>(Generator()() >> 8) / 16777216.0f;
}
