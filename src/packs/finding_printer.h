#pragma once
// How `zandrove-pack check` prints its findings: each as it is found, until
// kShownPerKind of one kind (the same severity and the same message but for
// its numbers) were printed; the rest are only counted, and said in one line
// at the end, before the totals.
#include <ostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "packs/pack_checker.h"

class FindingPrinter {
public:
    static constexpr long long kShownPerKind = 20;

    FindingPrinter(const std::string& path, std::ostream& out) : path_(path), out_(out) {}

    // format(f) gives the finding's line; it is called only for the lines printed.
    template <class Format>
    void Add(const Finding& f, const Format& format) {
        if (Count(f)) out_ << format(f) << "\n";
    }

    // The summary lines and the totals; true if any finding was an error.
    bool Finish(std::size_t levels);

private:
    using Seen = std::unordered_map<std::string, long long>;

    // Counts f; true if it is to be printed.
    bool Count(const Finding& f);
    // The severity, then the message with each number (and its sign) as '#'.
    static void KindOf(const Finding& f, std::string& key);

    const std::string& path_;
    std::ostream& out_;
    Seen seen_;
    std::string key_;  // reused: most findings are of a kind already seen
    std::vector<const Seen::value_type*> order_;  // kinds in the order first found
    long long errors_ = 0, warnings_ = 0;
};
