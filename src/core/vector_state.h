// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Code that uses 256-bit vector instructions and leaves without clearing their upper halves (Qt's
// string hashing does, on processors with VAES) makes every later SSE instruction of the process
// pay a transition penalty: the SQLCipher key derivation then takes twice as long. Clearing them
// before the engine's cryptography runs gives it its full speed.
//
// Clears the upper halves of the vector registers (vzeroupper) on x86-64 processors with AVX;
// does nothing elsewhere. Safe at any call: no caller keeps values in those halves across a call.
void clear_upper_vector_state();
