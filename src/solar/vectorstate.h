#pragma once

namespace orvanek {

// Qt's own vector code (string handling, filling an image, painting) can leave the upper
// halves of the AVX registers dirty. Processors that track that state then run every plain
// SSE instruction after it, which is all of this program's trigonometry, many times slower
// (four times in a whole `check --positions`, ten times and more in a position conversion).
// The ephemeris and both conversions clear the state on entry, so every caller, whatever ran
// before it, computes at full speed; a model with trigonometry of its own clears it first too.
// The lower halves, where plain code keeps its numbers, stay as they are.
inline void clearUpperVectorState() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        __asm__ volatile("vzeroupper" ::: "memory");
#endif
}

} // namespace orvanek
