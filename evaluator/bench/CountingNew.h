// Replaced global operator new that counts heap allocations, so that the
// benchmarks can show what an evaluation allocates.
#pragma once

long long AllocationCount();
