#pragma once

namespace kovalin {

// Whether the processor (and the system, which must save the wider registers)
// runs AVX2. The program is built for any x86-64; the few loops that have an
// AVX2 version ask this once and keep the answer.
bool HasAvx2();

// Whether the processor and the system run AVX-512F (eight doubles a vector).
bool HasAvx512f();

}  // namespace kovalin
