// The page's solver worker: a WebAssembly module of its own, run in a Web
// Worker (web/page/zandrove-solver-worker.js), that searches with the
// game's solver and hands the report back as text. A worker has one thread
// and no shared memory with the page, which works on any static host
// (threads would need cross-origin isolation headers); so the search runs on
// this thread alone, and the page cancels it by ending the worker.
#include <emscripten.h>

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "solve/search_text.h"
#include "solve/solver.h"

namespace {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

constexpr double kProgressMs = 100;  // how often the page hears how far the search got

}  // namespace

// clang-format off
EM_JS(void, worker_progress, (double attempts), { Module.progress(attempts); });
// clang-format on

extern "C" {

// The report's text for a search's text, or null for a text that is none.
EMSCRIPTEN_KEEPALIVE const char* zandrove_solve(const char* searchText) {
    static std::string report;  // the worker's one answer, read by the page before the next search
    std::vector<LevelRecord> records;
    SolveSettings settings;
    if (!ReadSearchText(searchText, records, settings)) return nullptr;
    settings.workers = 1;
    double last = emscripten_get_now();
    settings.progress = [&last](long attempts) {
        const double now = emscripten_get_now();
        if (now - last < kProgressMs) return;
        last = now;
        worker_progress(static_cast<double>(attempts));
    };
    NullBuffer nothing;
    std::ostream quiet(&nothing);
    report = ReportText(Solve(records.data(), settings, quiet));
    return report.c_str();
}

}  // extern "C"
