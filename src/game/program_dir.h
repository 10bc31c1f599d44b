#pragma once
#include <string>

// The directory of the running executable with its trailing '/', symlinks
// resolved (/proc/self/exe), so a symlink to the game or a start through PATH
// finds the real one. Only where /proc cannot say: argv0 cut just after its
// last '/' or '\'. Empty when neither tells.
std::string ProgramDirectory(const char* argv0);

// Where the game's 37 assets are for a program in programDir: programDir
// itself when it holds them (a build tree: build/bin/), otherwise
// programDir/../share/zandrove/ (an installed copy: the game in P/games, the
// tools in P/bin, the assets in P/share/zandrove/). When that does not exist
// either, programDir, so the loader names the file missing beside the program.
std::string AssetDirectory(const std::string& programDir);

// Makes dir the working directory, if it can; the asset loader names the
// first file it then cannot find.
void ChangeToDirectory(const std::string& dir);

// ChangeToDirectory(AssetDirectory(ProgramDirectory(argv0))).
void ChangeToAssetDirectory(const char* argv0);
