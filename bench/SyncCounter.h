#pragma once
// Counts the flushes to the disk that this process asks for: every fdatasync and fsync call, from
// our own code, the engine or the SQLite library alike.
//
// The program defines fdatasync and fsync itself; the linker binds the engine's calls to these
// definitions and the dynamic loader binds the SQLite library's calls to them too (an
// executable's definition comes before the C library's). Each counts and then makes the system
// call directly, so the flush costs exactly what it costs.

#include <cstdint>

std::uint64_t FlushCount();
