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

#include "solve/forgiveness.h"
#include "solve/one_bomb_proof.h"
#include "solve/search_text.h"
#include "solve/solver.h"

namespace {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

constexpr double kProgressMs = 100;  // how often the page hears how far the search got

// The designer's checks after a search, as its BackgroundProof runs them
// natively. Their progress reaches the page as one number: 0 while the
// solutions are measured, then 1 + a millionth for each millionth of the
// proof's placements decided (src/platform/web/web_proof.cpp reads it).
std::string Prove(const ProofAsked& asked);

}  // namespace

// clang-format off
EM_JS(void, worker_progress, (double attempts), { Module.progress(attempts); });
// clang-format on

extern "C" {

// The report's text for a search's text, or null for a text that is none.
EMSCRIPTEN_KEEPALIVE const char* zandrove_solve(const char* searchText) {
    static std::string report;  // the worker's one answer, read by the page before the next search
    ProofAsked proof;
    if (ReadProofText(searchText, proof)) {
        report = Prove(proof);
        return report.c_str();
    }
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

namespace {

std::string Prove(const ProofAsked& asked) {
    ProofFound found;
    for (const std::vector<BombPlacement>& s : asked.solutions)
        found.forgiveness.push_back(MeasureForgiveness(asked.records.data(), s, asked.frames));
    if (asked.prove) {
        worker_progress(1);
        double last = emscripten_get_now();
        OneBombSettings settings;
        settings.frames = asked.frames;
        settings.workers = 1;
        settings.progress = [&last](long decided, long total) {
            const double now = emscripten_get_now();
            if (now - last < kProgressMs || total <= 0) return;
            last = now;
            worker_progress(1 + static_cast<double>(1000000 * decided / total));
        };
        found.proof = ProveOneBomb(asked.records.data(), settings);
        found.proved = true;
    }
    return ProofFoundText(found);
}

}  // namespace
