#pragma once
// A search and its report as lines of text, for a search that runs in
// another program: the web page's solver worker, a WebAssembly module of
// its own that shares no memory with the game's. The solver's settings
// that can cross (not the callbacks nor the cancel flag), the records and
// the whole report come back exactly as they went.
#include <string>
#include <string_view>
#include <vector>

#include "sim/level_record.h"
#include "solve/forgiveness.h"
#include "solve/one_bomb_proof.h"
#include "solve/solver.h"

// records run up to and including REC_END.
std::string SearchText(const LevelRecord* records, const SolveSettings& settings);
// False for a text SearchText did not write (a record list without its end).
bool ReadSearchText(std::string_view text, std::vector<LevelRecord>& records, SolveSettings& settings);

std::string ReportText(const SolveReport& report);
bool ReadReportText(std::string_view text, SolveReport& report);

// The designer's checks after a search (BackgroundProof) the same way:
// the solutions to measure, whether to prove, and what came of them.
struct ProofAsked {
    std::vector<LevelRecord> records;  // up to and including REC_END
    std::vector<std::vector<BombPlacement>> solutions;
    bool prove = false;
    int frames = 0;
};
struct ProofFound {
    std::vector<Forgiveness> forgiveness;
    bool proved = false;
    OneBombProof proof;
};
// A proof's text starts with this line, a search's never does.
constexpr std::string_view kProofTextStart = "proof\n";
std::string ProofText(const LevelRecord* records, const std::vector<std::vector<BombPlacement>>& solutions,
                      bool prove, int frames);
bool ReadProofText(std::string_view text, ProofAsked& asked);
std::string ProofFoundText(const ProofFound& found);
bool ReadProofFoundText(std::string_view text, ProofFound& found);
