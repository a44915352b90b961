// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/vector_state.h"
#include "support/test_db.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#if defined(__x86_64__) && defined(__GNUC__)
#include <cpuid.h>

namespace {

// Whether the processor reports which register states are in use (XGETBV with ECX = 1), and can
// dirty the upper halves with an AVX2 instruction.
bool can_watch_vector_state() {
    __builtin_cpu_init();
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    if (!__get_cpuid_count(0xD, 1, &eax, &ebx, &ecx, &edx)) return false;
    return (eax & (1U << 2)) != 0 && __builtin_cpu_supports("avx2");
}

// The upper halves of the 256-bit registers hold values (XINUSE bit 2).
bool upper_halves_in_use() {
    unsigned low = 0;
    unsigned high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & (1U << 2)) != 0;
}

// What Qt's vectorised string hashing leaves behind: a 256-bit register with no vzeroupper after.
void dirty_upper_halves() {
    asm volatile("vpcmpeqd %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
}

// An SQL function that tells whether the upper halves were in use when the engine ran it.
void state_function(sqlite3_context* context, int /*argc*/, sqlite3_value** /*argv*/) {
    sqlite3_result_int(context, upper_halves_in_use() ? 1 : 0);
}

class VectorState : public ::testing::Test {
protected:
    void SetUp() override {
        if (!can_watch_vector_state()) GTEST_SKIP() << "the processor does not report its vector state";
    }
};

} // namespace

TEST_F(VectorState, ClearingLeavesTheUpperHalvesUnused) {
    dirty_upper_halves();
    ASSERT_TRUE(upper_halves_in_use());
    clear_upper_vector_state();
    EXPECT_FALSE(upper_halves_in_use());
}

// The engine's cryptography (key derivation of an attached file, page encryption) runs inside
// statements: each starts from a clean state whatever the program did before.
TEST_F(VectorState, StatementsRunFromACleanState) {
    TestDb t;
    Database* db = &t.open_db(QStringLiteral("v.tdb"));
    ASSERT_EQ(sqlite3_create_function_v2(db->handle(), "vector_state", 0, SQLITE_UTF8, nullptr,
                                         state_function, nullptr, nullptr, nullptr),
              SQLITE_OK);

    dirty_upper_halves();
    EXPECT_EQ(db->scalar(QStringLiteral("select vector_state()")).toInt(), 0);
    dirty_upper_halves();
    db->exec(QStringLiteral("create table seen as select vector_state() as state"));
    EXPECT_EQ(db->scalar(QStringLiteral("select state from seen")).toInt(), 0);
}

#endif
