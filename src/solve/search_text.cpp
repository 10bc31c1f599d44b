#include "solve/search_text.h"

#include <cstdio>
#include <sstream>

namespace {

// Seconds to the microsecond: "%.17g" would do exactly, but a report's
// times are only ever shown.
std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", v);
    return text;
}

void AddBomb(std::string& out, const BombPlacement& b) {
    out += " " + std::to_string(b.slot) + " " + std::to_string(b.x) + " " + std::to_string(b.y) + " " +
           std::to_string(b.fuse);
}

bool ReadBombs(std::istringstream& in, std::vector<BombPlacement>& bombs) {
    BombPlacement b;
    while (in >> b.slot >> b.x >> b.y >> b.fuse) bombs.push_back(b);
    return in.eof();
}

void AddRecords(std::string& out, const LevelRecord* records) {
    for (const LevelRecord* r = records;; ++r) {
        out += "record";
        for (int16_t f : {r->type, r->x, r->y, r->w, r->h, r->param, r->reserved0, r->reserved1})
            out += " " + std::to_string(f);
        out += "\n";
        if (r->type == REC_END) break;
    }
}

void AddForgiveness(std::string& out, const Forgiveness& f) {
    out += "forgiveness " + std::to_string(f.reach);
    for (size_t i = 0; i < f.perBomb.size(); ++i)
        out += " " + std::to_string(f.perBomb[i]) + " " + std::to_string(i < f.where.size() ? f.where[i] : 0);
    out += "\n";
}

bool ReadForgiveness(std::istringstream& in, Forgiveness& f) {
    int perBomb = 0;
    uint64_t where = 0;
    if (!(in >> f.reach)) return false;
    while (in >> perBomb >> where) {
        f.perBomb.push_back(perBomb);
        f.where.push_back(where);
    }
    return in.eof();
}

}  // namespace

std::string SearchText(const LevelRecord* records, const SolveSettings& settings) {
    std::string out = "frames " + std::to_string(settings.frames) + "\nbudget " + Number(settings.budgetSeconds) +
                      "\nworkers " + std::to_string(settings.workers) + "\nshown " + std::to_string(settings.shown) +
                      "\nreach " + std::to_string(settings.inMouseReach) + "\ngather " + std::to_string(settings.gather) +
                      "\nforgiving " + std::to_string(settings.forgiving) + "\nprefix";
    for (const BombPlacement& b : settings.prefix) AddBomb(out, b);
    out += "\n";
    AddRecords(out, records);
    return out;
}

bool ReadSearchText(std::string_view text, std::vector<LevelRecord>& records, SolveSettings& settings) {
    std::istringstream lines{std::string(text)};
    std::string line;
    records.clear();
    settings.prefix.clear();
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string word;
        in >> word;
        if (word == "frames") in >> settings.frames;
        else if (word == "budget") in >> settings.budgetSeconds;
        else if (word == "workers") in >> settings.workers;
        else if (word == "shown") in >> settings.shown;
        else if (word == "reach") in >> settings.inMouseReach;
        else if (word == "gather") in >> settings.gather;
        else if (word == "forgiving") in >> settings.forgiving;
        else if (word == "prefix" && !ReadBombs(in, settings.prefix)) return false;
        else if (word == "record") {
            LevelRecord r{};
            if (!(in >> r.type >> r.x >> r.y >> r.w >> r.h >> r.param >> r.reserved0 >> r.reserved1)) return false;
            records.push_back(r);
            if (r.type == REC_END) return true;
        }
        if (in.fail() && !in.eof()) return false;
    }
    return false;
}

std::string ReportText(const SolveReport& report) {
    std::string out = "count " + std::to_string(report.solutionCount) + "\nattempts " +
                      std::to_string(report.attempts) + "\nseconds " + Number(report.seconds) + "\nflags " +
                      std::to_string(report.exhausted) + " " + std::to_string(report.solvedWithNoBomb) + " " +
                      std::to_string(report.solvedByFirstPlacement) + "\n";
    for (const Solution& s : report.solutions) {
        out += "solution " + std::to_string(s.frame) + " " + Number(s.seconds);
        for (const BombPlacement& b : s.bombs) AddBomb(out, b);
        out += "\n";
        // How forgiving it is, when that was measured: its reach, then per bomb.
        if (!s.forgiveness.perBomb.empty()) AddForgiveness(out, s.forgiveness);
    }
    return out;
}

bool ReadReportText(std::string_view text, SolveReport& report) {
    report = SolveReport{};
    std::istringstream lines{std::string(text)};
    std::string line;
    bool counted = false;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string word;
        in >> word;
        if (word == "count") counted = static_cast<bool>(in >> report.solutionCount);
        else if (word == "attempts") in >> report.attempts;
        else if (word == "seconds") in >> report.seconds;
        else if (word == "flags") in >> report.exhausted >> report.solvedWithNoBomb >> report.solvedByFirstPlacement;
        else if (word == "solution") {
            Solution s;
            if (!(in >> s.frame >> s.seconds) || !ReadBombs(in, s.bombs)) return false;
            report.solutions.push_back(std::move(s));
            continue;
        } else if (word == "forgiveness") {
            if (report.solutions.empty() || !ReadForgiveness(in, report.solutions.back().forgiveness)) return false;
            continue;
        }
        if (in.fail()) return false;
    }
    return counted;
}

std::string ProofText(const LevelRecord* records, const std::vector<std::vector<BombPlacement>>& solutions,
                      bool prove, int frames) {
    std::string out = std::string(kProofTextStart) + "prove " + std::to_string(prove) + "\nframes " +
                      std::to_string(frames) + "\n";
    for (const std::vector<BombPlacement>& s : solutions) {
        out += "solution";
        for (const BombPlacement& b : s) AddBomb(out, b);
        out += "\n";
    }
    AddRecords(out, records);
    return out;
}

bool ReadProofText(std::string_view text, ProofAsked& asked) {
    if (!text.starts_with(kProofTextStart)) return false;
    asked = ProofAsked{};
    std::istringstream lines{std::string(text.substr(kProofTextStart.size()))};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string word;
        in >> word;
        if (word == "prove") in >> asked.prove;
        else if (word == "frames") in >> asked.frames;
        else if (word == "solution") {
            asked.solutions.emplace_back();
            if (!ReadBombs(in, asked.solutions.back())) return false;
            continue;
        } else if (word == "record") {
            LevelRecord r{};
            if (!(in >> r.type >> r.x >> r.y >> r.w >> r.h >> r.param >> r.reserved0 >> r.reserved1)) return false;
            asked.records.push_back(r);
            if (r.type == REC_END) return true;
        }
        if (in.fail() && !in.eof()) return false;
    }
    return false;
}

std::string ProofFoundText(const ProofFound& found) {
    std::string out;
    for (const Forgiveness& f : found.forgiveness) AddForgiveness(out, f);
    const OneBombProof& p = found.proof;
    if (found.proved)
        out += "proof " + std::to_string(static_cast<int>(p.result)) + " " + std::to_string(p.solution.slot) + " " +
               std::to_string(p.solution.x) + " " + std::to_string(p.solution.y) + " " +
               std::to_string(p.solution.fuse) + " " + std::to_string(p.completeFrame) + " " + std::to_string(p.total) +
               " " + std::to_string(p.decided) + " " + std::to_string(p.played) + " " + std::to_string(p.fuses) + " " +
               Number(p.seconds) + "\n";
    return out + "end\n";
}

bool ReadProofFoundText(std::string_view text, ProofFound& found) {
    found = ProofFound{};
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string word;
        in >> word;
        if (word == "end") return true;
        if (word == "forgiveness") {
            found.forgiveness.emplace_back();
            if (!ReadForgiveness(in, found.forgiveness.back())) return false;
        } else if (word == "proof") {
            OneBombProof& p = found.proof;
            int result = 0;
            if (!(in >> result >> p.solution.slot >> p.solution.x >> p.solution.y >> p.solution.fuse >> p.completeFrame >>
                  p.total >> p.decided >> p.played >> p.fuses >> p.seconds) ||
                result < 0 || result > static_cast<int>(OneBombProof::Result::Stopped))
                return false;
            p.result = static_cast<OneBombProof::Result>(result);
            found.proved = true;
        } else {
            return false;
        }
    }
    return false;  // cut short: no end
}
