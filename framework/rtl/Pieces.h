#pragma once
// Work cut in pieces and done on several processors at once: a large load
// finds its lines piece by piece while the caller waits.
#include <cstddef>
#include <functional>

// Runs task(i) once for every i in [0, count) and returns when all are
// done. The calling thread takes pieces too, so the work goes on when no
// other processor is free: helper threads (one fewer than the processors,
// at most 7, started on first use and kept) take the next piece not yet
// taken. Tasks must not touch what another piece writes. The first
// exception a task raises is raised again here once every thread has
// stopped; pieces not begun by then are skipped.
void RunPieces(size_t count, const std::function<void(size_t)>& task);
