#include "platform/web/web_edition.h"

#include <cstdio>

#include "design/designer.h"
#include "packs/pack_reader.h"
#include "packs/pack_writer.h"
#include "packs/playable.h"
#include "packs/text_parser.h"
#include "packs/text_printer.h"
#include "platform/web/page_calls.h"
#include "platform/web/web_io.h"

void Say(const std::string& line) {
    std::fprintf(stderr, "zandrove: %s\n", line.c_str());
    PageNotice(line.c_str());
}

WebEdition::WebEdition(WebIo& io, const edition::LevelSets& sets, const Assets& assets)
    : io_(io), file_(std::string(kKeptFolder) + "/settings.txt") {
    std::string message;
    file_.Load([this](std::string_view text, std::string& error) { return ParseSettings(text, settings_, error); },
               message);
    if (!message.empty()) Say(message);
    // A page opens in a window; the browser's own scaling stands for the scale.
    settings_.fullscreen = false;
    io_.SetVolume(settings_.volume, settings_.mute);
    edition::EditionSetup setup;
    setup.progressPath = std::string(kKeptFolder) + "/progress.txt";
    setup.designPath = std::string(kKeptFolder) + "/levels/levels.txt";
    // The page has no thread for the writing: each run is written in its frame.
    setup.progressWriter = ProgressKeeper::Writer::Frame;
    edition_ = std::make_unique<edition::Edition>(
        io_, sets, assets, settings_, [this](const Settings& chosen) { Choose(chosen); }, setup, Say);
}

// What the player chose, made so (a full screen the browser refuses stays
// as it was), then kept.
void WebEdition::Choose(const Settings& chosen) {
    Settings made = chosen;
    if (made.fullscreen != settings_.fullscreen && !PageFullscreen(made.fullscreen)) {
        Say(made.fullscreen ? "cannot switch to full screen: the browser refuses" : "cannot leave full screen");
        made.fullscreen = settings_.fullscreen;
    }
    io_.SetVolume(made.volume, made.mute);
    if (made == settings_) return;
    settings_ = made;
    Settings kept = settings_;
    kept.fullscreen = false;  // a page always opens in its window
    std::string message;
    if (!file_.Save(FormatSettings(kept), message) && !message.empty()) Say(message + "; settings are not kept");
}

bool WebEdition::OpenInDesigner(const std::string& path, const std::string& name) {
    LevelList levels;
    std::string why;
    const bool text = name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0;
    if (text) {
        std::string bytes;
        FILE* f = std::fopen(path.c_str(), "rb");
        char chunk[4096];
        for (size_t n; f && (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, n);
        if (f) std::fclose(f);
        ParsedText parsed = ParseLevelText(bytes);
        if (!parsed.errors.empty()) why = FormatTextError(name, parsed.errors.front());
        else if (parsed.levels.empty()) why = "no level in it";
        levels = std::move(parsed.levels);
    } else {
        PackFile file;
        if (ReadPackFile(path, file, why) && PlayablePack(file, PackRule::Checked, why)) levels = std::move(file.levels);
    }
    if (levels.empty() || !why.empty()) {
        Say("'" + name + "' not opened: " + (why.empty() ? "no level in it" : why));
        return false;
    }
    if (!edition_->OpenDesignerWith(std::move(levels))) {
        Say("'" + name + "' not opened: " + edition_->Note());
        return false;
    }
    return true;
}

std::string WebEdition::DesignBytes(bool pack) const {
    const design::Designer* d = edition_->DesignerUp();
    if (!d) return {};
    if (!pack) return FormatLevelText(d->doc.Levels());
    const std::vector<unsigned char> bytes = EncodePack(d->doc.Levels());
    return std::string(bytes.begin(), bytes.end());
}

std::string WebEdition::DesignLevelText() const {
    const design::Designer* d = edition_->DesignerUp();
    return d ? FormatLevelText({d->doc.Level()}) : std::string();
}
