#include "pack/commands.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

#include "files/atomic_file.h"
#include "files/regular_file.h"
#include "packs/finding_format.h"
#include "packs/finding_printer.h"
#include "packs/pack_checker.h"
#include "packs/pack_reader.h"
#include "packs/pack_writer.h"
#include "packs/share_link.h"
#include "packs/text_parser.h"
#include "packs/text_printer.h"

namespace {

constexpr const char* kUsage =
    "usage: zandrove-pack build LEVELS.txt -o PACK | dump (PACK | --builtin) [-o LEVELS.txt]"
    " | check (PACK | LEVELS.txt) | share (PACK | LEVELS.txt) [--level N] [--base URL] | unshare LINK [-o FILE]"
    " | --help | --version";

constexpr const char* kHelp =
    "  build LEVELS.txt -o PACK   write the levels of a level text as a level pack file\n"
    "  dump PACK                  print a level pack file as a level text\n"
    "  dump --builtin             print the game's built-in levels as a level text\n"
    "      -o FILE                write the text to FILE instead\n"
    "  check PACK|LEVELS.txt      report what would make a level broken or unplayable;\n"
    "                             a file named *.txt, or holding no zero byte, is read as a level text\n"
    "  share PACK|LEVELS.txt      print a link that carries the levels (a level, or the whole pack)\n"
    "      --level N              only level N (from 1)\n"
    "      --base URL             the page the link opens (default http://localhost:8016/)\n"
    "  unshare LINK               print the levels of a link as a level text\n"
    "      -o FILE                write them to FILE instead: a level text if named *.txt, else a pack\n"
    "exit status: 0 done (warnings alone included), 1 errors in the levels, 2 usage or file errors\n";

struct Args {
    std::vector<std::string> inputs;
    std::optional<std::string> output;
    bool builtin = false;
};

int Usage(std::ostream& err, const std::string& problem) {
    err << "zandrove-pack: " << problem << "\n" << kUsage << "\n";
    return kExitUsage;
}

// Splits the arguments after the command; false (having reported) on a bad one.
bool SplitArgs(const std::vector<std::string>& args, bool allowBuiltin, Args& a, std::ostream& err, int& status) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& s = args[i];
        if (s == "-o") {
            if (i + 1 >= args.size()) return status = Usage(err, "-o needs a file name"), false;
            if (a.output) return status = Usage(err, "-o is given twice"), false;
            a.output = args[++i];
        } else if (s == "--builtin" && allowBuiltin) {
            a.builtin = true;
        } else if (s.size() > 1 && s[0] == '-') {
            return status = Usage(err, "unknown option '" + s + "'"), false;
        } else {
            a.inputs.push_back(s);
        }
    }
    return true;
}

int CannotRead(std::ostream& err, const std::string& path, const std::string& why) {
    return Usage(err, "cannot read '" + path + "': " + why);
}

// Writing over the file being read would replace it with what was read from it.
bool OutputIsInput(const std::string& input, const std::optional<std::string>& output, std::ostream& err,
                   int& status) {
    if (!output || !IsSameFile(input, *output)) return false;
    status = Usage(err, "-o '" + *output + "' is the input file itself; nothing written");
    return true;
}

// The file is replaced only once all of it is written; a failure leaves it as it was.
int WriteOut(std::string_view text, const std::optional<std::string>& path, std::ostream& out, std::ostream& err) {
    if (!path) {
        out << text;
        return kExitClean;
    }
    std::string why;
    if (!WriteFileAtomically(*path, text, why)) {
        err << "zandrove-pack: " << why << "\n";
        return kExitUsage;
    }
    return kExitClean;
}

int Build(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Args a;
    int status = kExitUsage;
    if (!SplitArgs(args, false, a, err, status)) return status;
    if (a.inputs.size() != 1) return Usage(err, "build takes one level text");
    if (!a.output) return Usage(err, "build needs -o PACK, the file to write");
    const std::string& path = a.inputs[0];
    if (OutputIsInput(path, a.output, err, status)) return status;
    std::string text, why;
    if (!ReadTextFile(path, text, why)) return CannotRead(err, path, why);

    const ParsedText parsed = ParseLevelText(text);
    for (const TextError& e : parsed.errors) err << FormatTextError(path, e) << "\n";
    if (parsed.errors.empty() && parsed.levels.empty())
        err << path << ": error: no level: start each level with a line  level \"Name\"\n";
    if (!parsed.errors.empty() || parsed.levels.empty()) {
        err << "zandrove-pack: nothing written\n";
        return kExitFindings;
    }
    const std::vector<unsigned char> bytes = EncodePack(parsed.levels);
    if (!WriteFileAtomically(*a.output, bytes, why)) {
        err << "zandrove-pack: " << why << "\n";
        return kExitUsage;
    }
    std::size_t records = 0;
    for (const PackLevel& level : parsed.levels) records += level.records.size();
    out << "wrote " << *a.output << ": " << parsed.levels.size() << (parsed.levels.size() == 1 ? " level, " : " levels, ")
        << records << " records, " << bytes.size() << " bytes\n";
    return kExitClean;
}

int Dump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Args a;
    int status = kExitUsage;
    if (!SplitArgs(args, true, a, err, status)) return status;
    if (a.builtin) {
        if (!a.inputs.empty()) return Usage(err, "dump takes a pack or --builtin, not both");
        return WriteOut(FormatLevelText(BuiltinLevelList(), "The game's ten built-in levels."), a.output, out, err);
    }
    if (a.inputs.size() != 1) return Usage(err, "dump takes one level pack file (or --builtin)");
    const std::string& path = a.inputs[0];
    if (OutputIsInput(path, a.output, err, status)) return status;
    PackFile pack;
    std::string why;
    if (!ReadPackFile(path, pack, why)) return CannotRead(err, path, why);
    if (pack.fileSize < static_cast<uint64_t>(kPackFileHeaderSize))
        err << "zandrove-pack: " << path << ": shorter than a pack's " << kPackFileHeaderSize
            << "-byte file header: the game reads no level from it\n";
    else if (pack.TrailingBytes() > 0)
        err << "zandrove-pack: " << path << ": " << pack.TrailingBytes()
            << " bytes after the last complete level are not read by the game and not dumped; 'check' says more\n";
    const std::string heading = "Levels of " + path + " as the game reads them: " +
                                std::to_string(pack.levels.size()) + (pack.levels.size() == 1 ? " level." : " levels.");
    return WriteOut(FormatLevelText(pack.levels, heading), a.output, out, err);
}

// A level text has no zero byte; every pack has some (its terminators at least).
bool LooksLikeText(const std::string& path, std::string& error, bool& text) {
    RegularFileStream in(path);
    if (!in.IsOpen()) {
        error = in.Error();
        return false;
    }
    std::string head(1 << 16, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    const bool named = path.size() >= 4 && path.compare(path.size() - 4, 4, ".txt") == 0;
    text = named || (!head.empty() && head.find('\0') == std::string::npos);
    return true;
}

int Check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Args a;
    int status = kExitUsage;
    if (!SplitArgs(args, false, a, err, status)) return status;
    if (a.output) return Usage(err, "check writes no file; -o is not for it");
    if (a.inputs.size() != 1) return Usage(err, "check takes one level pack file or level text");
    const std::string& path = a.inputs[0];
    std::string why;
    bool isText = false;
    if (!LooksLikeText(path, why, isText)) return CannotRead(err, path, why);
    FindingPrinter printer(path, out);

    if (isText) {
        std::string text;
        if (!ReadTextFile(path, text, why)) return CannotRead(err, path, why);
        const ParsedText parsed = ParseLevelText(text);
        text = std::string();
        if (!parsed.errors.empty()) {
            for (const TextError& e : parsed.errors) out << FormatTextError(path, e) << "\n";
            out << path << ": " << parsed.errors.size() << (parsed.errors.size() == 1 ? " error" : " errors")
                << " in the text; the levels were not checked\n";
            return kExitFindings;
        }
        CheckLevels(parsed.levels, [&](const Finding& f) {
            printer.Add(f, [&](const Finding& g) { return FormatTextFinding(path, parsed.levels, g); });
        });
        return printer.Finish(parsed.levels.size()) ? kExitFindings : kExitClean;
    }

    PackFile pack;
    if (!ReadPackFile(path, pack, why)) return CannotRead(err, path, why);
    CheckPackFile(pack, [&](const Finding& f) {
        printer.Add(f, [&](const Finding& g) { return FormatPackFinding(path, pack, g); });
    });
    return printer.Finish(pack.levels.size()) ? kExitFindings : kExitClean;
}

// A whole decimal number, nothing else around it.
std::optional<long> ParseCount(const std::string& text) {
    long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return n;
}

// A file's levels as the game reads them, from a pack or a level text.
bool ReadLevels(const std::string& path, LevelList& levels, std::ostream& err, int& status) {
    std::string why;
    bool isText = false;
    if (!LooksLikeText(path, why, isText)) return status = CannotRead(err, path, why), false;
    if (!isText) {
        PackFile pack;
        if (!ReadPackFile(path, pack, why)) return status = CannotRead(err, path, why), false;
        levels = std::move(pack.levels);
        return true;
    }
    std::string text;
    if (!ReadTextFile(path, text, why)) return status = CannotRead(err, path, why), false;
    ParsedText parsed = ParseLevelText(text);
    for (const TextError& e : parsed.errors) err << FormatTextError(path, e) << "\n";
    if (!parsed.errors.empty()) return status = kExitFindings, false;
    levels = std::move(parsed.levels);
    return true;
}

int Share(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<std::string> path, base, levelText;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& s = args[i];
        if (s == "--level" || s == "--base") {
            if (i + 1 >= args.size()) return Usage(err, s + " needs a value");
            std::optional<std::string>& to = s == "--level" ? levelText : base;
            if (to) return Usage(err, s + " is given twice");
            to = args[++i];
        } else if (s.size() > 1 && s[0] == '-') {
            return Usage(err, "unknown option '" + s + "'");
        } else if (path) {
            return Usage(err, "share takes one level pack file or level text");
        } else {
            path = s;
        }
    }
    if (!path) return Usage(err, "share takes one level pack file or level text");
    LevelList levels;
    int status = kExitUsage;
    if (!ReadLevels(*path, levels, err, status)) return status;
    if (levels.empty()) {
        err << "zandrove-pack: " << *path << ": no complete level to share\n";
        return kExitFindings;
    }
    LinkKind kind = levels.size() == 1 ? LinkKind::Level : LinkKind::Pack;
    if (levelText) {
        const std::optional<long> n = ParseCount(*levelText);
        if (!n || *n < 1 || *n > static_cast<long>(levels.size()))
            return Usage(err, "--level takes a level from 1 to " + std::to_string(levels.size()) + ", not '" +
                                  *levelText + "'");
        levels = LevelList{std::move(levels[static_cast<std::size_t>(*n - 1)])};
        kind = LinkKind::Level;
    }
    std::string link, why;
    if (!MakeShareLink(levels, kind, base ? *base : kDefaultShareBase, link, why)) {
        err << "zandrove-pack: " << *path << ": " << why << "\n";
        return kExitFindings;
    }
    out << link << "\n";
    return kExitClean;
}

int Unshare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Args a;
    int status = kExitUsage;
    if (!SplitArgs(args, false, a, err, status)) return status;
    if (a.inputs.size() != 1) return Usage(err, "unshare takes one link");
    LevelList levels;
    std::string why;
    if (!LevelsFromShareLink(a.inputs[0], levels, why)) {
        err << "zandrove-pack: link refused: " << why << "\n";
        return kExitFindings;
    }
    const bool text = !a.output || (a.output->size() >= 4 && a.output->compare(a.output->size() - 4, 4, ".txt") == 0);
    if (text) return WriteOut(FormatLevelText(levels), a.output, out, err);
    const std::vector<unsigned char> bytes = EncodePack(levels);
    if (!WriteFileAtomically(*a.output, bytes, why)) {
        err << "zandrove-pack: " << why << "\n";
        return kExitUsage;
    }
    out << "wrote " << *a.output << ": " << levels.size() << (levels.size() == 1 ? " level, " : " levels, ")
        << bytes.size() << " bytes\n";
    return kExitClean;
}

}  // namespace

int RunPackTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage(err, "no command");
    const std::string& command = args[0];
    if (command == "build") return Build(args, out, err);
    if (command == "dump") return Dump(args, out, err);
    if (command == "check") return Check(args, out, err);
    if (command == "share") return Share(args, out, err);
    if (command == "unshare") return Unshare(args, out, err);
    if (command == "help" || command == "--help" || command == "-h") {
        out << kUsage << "\n" << kHelp;
        return kExitClean;
    }
    if (command == "--version") {
        out << "zandrove-pack " << ZANDROVE_VERSION << "\n";
        return kExitClean;
    }
    return Usage(err, "unknown command '" + command + "'");
}
