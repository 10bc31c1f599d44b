#pragma once
// A fuzz target's verdict on an input that broke what must hold.

// Prints "zandrove-fuzz: what" on stderr and aborts, so that libFuzzer keeps
// the input as a crash.
[[noreturn]] void FuzzFailure(const char* what);
