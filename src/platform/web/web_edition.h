#pragma once
// The player's edition on the page: the same Edition as `zandrove --menu`,
// its files (progress, settings, the designer's levels) in the page's
// folder kKeptFolder, which the page keeps in the browser's storage
// (web/page/zandrove-page.js); the settings made as far as a page can.
#include <memory>
#include <string>

#include "edition/edition.h"
#include "progress/kept_file.h"
#include "progress/settings.h"

class WebIo;

// Everything below it is kept in the browser's storage, as the native game
// keeps its files in the player's folders.
constexpr const char* kKeptFolder = "/kept";

class WebEdition {
public:
    // sets: as the native edition's (edition::ShippedSets, or a pack's one).
    WebEdition(WebIo& io, const edition::LevelSets& sets, const Assets& assets);
    // One frame; false once the player has quit (F10 on the title).
    bool Frame() { return edition_->Frame(); }
    edition::Edition& Game() { return *edition_; }

    // The page's own designer actions, while the designer is up.
    // Open: a level text (*.txt) or pack from the player's disk, opened as
    // a link is; false with the line said.
    bool OpenInDesigner(const std::string& path, const std::string& name);
    // Save as: the designer's levels as a level text or a pack, for the
    // page to download; empty when the designer is not up.
    std::string DesignBytes(bool pack) const;
    // Copy link: the level shown as a link's level text (what `zandrove-pack
    // share --level N` compresses).
    std::string DesignLevelText() const;

private:
    void Choose(const Settings& chosen);

    WebIo& io_;
    KeptFile file_;
    Settings settings_;
    std::unique_ptr<edition::Edition> edition_;
};

// A line for the player: on the page, and on the console.
void Say(const std::string& line);
