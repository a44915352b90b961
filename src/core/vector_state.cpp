// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/vector_state.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void zero_upper_halves() {
    _mm256_zeroupper();
}

bool processor_has_avx() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx") != 0;
}

} // namespace

void clear_upper_vector_state() {
    static const bool has_avx = processor_has_avx();
    if (has_avx) zero_upper_halves();
}

#else

void clear_upper_vector_state() {}

#endif
