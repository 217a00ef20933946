// The program state the chart benchmarks start from: the chart tests' state
// (place 1 of the list, Hannover, a 1300 x 900 picture) at 21:00 MEZ on
// 15 March 2024, with the bundled data of the build tree.
#pragma once

#include "../tests/charts/HannoverState.h"

inline astronomy::ProgramState HannoverState(astronomy::View view) {
    astronomy::ProgramState s = HannoverState(21.0, 15, 3, 2024, view);
    s.DataFolder = s.ProgramFolder = KELMARON_PROGRAM_DATA;
    return s;
}
