#include "packs/finding_printer.h"

bool FindingPrinter::Count(const Finding& f) {
    (f.severity == Severity::Error ? errors_ : warnings_) += 1;
    KindOf(f, key_);
    auto it = seen_.find(key_);
    if (it == seen_.end()) {
        it = seen_.emplace(key_, 0).first;
        order_.push_back(&*it);
    }
    return ++it->second <= kShownPerKind;
}

bool FindingPrinter::Finish(std::size_t levels) {
    for (const auto* kind : order_) {
        if (kind->second <= kShownPerKind) continue;
        out_ << path_ << ": " << (kind->first[0] == 'E' ? "error" : "warning") << ": \u2026 and "
             << kind->second - kShownPerKind << " more of this kind (" << kind->first.substr(1) << ")\n";
    }
    out_ << path_ << ": " << levels << (levels == 1 ? " level, " : " levels, ");
    if (errors_ == 0 && warnings_ == 0) out_ << "no problems found\n";
    else
        out_ << errors_ << (errors_ == 1 ? " error, " : " errors, ") << warnings_
             << (warnings_ == 1 ? " warning\n" : " warnings\n");
    return errors_ > 0;
}

void FindingPrinter::KindOf(const Finding& f, std::string& key) {
    // Written in place: this runs for every finding, printed or not.
    const std::string& m = f.message;
    key.resize(m.size() + 1);  // never longer than the message and the severity
    char* out = key.data();
    *out++ = f.severity == Severity::Error ? 'E' : 'W';
    const auto digit = [](char c) { return static_cast<unsigned char>(c - '0') <= 9; };
    const char* p = m.data();
    const char* const end = p + m.size();
    while (p != end) {
        const char* number = *p == '-' ? p + 1 : p;
        if (number == end || !digit(*number)) {
            *out++ = *p++;
            continue;
        }
        *out++ = '#';
        for (p = number + 1; p != end && digit(*p);) ++p;
    }
    key.resize(static_cast<std::size_t>(out - key.data()));
}
