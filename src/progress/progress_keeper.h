#pragma once
// The progress file, kept from a thread of its own. Every completed level
// reads the file again, merges what other games kept in it meanwhile (the
// best result per level wins) and writes it whole: work that grows with the
// file, so the frame hands it over and goes on. Games sharing the file take
// turns through a lock beside it (progress.txt.lock).
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "progress/kept_file.h"
#include "progress/progress.h"

class ProgressKeeper {
public:
    // Where the frame's process has no threads (the web page), each run
    // is written within the frame that completed it: a page's file is in
    // memory, and that is quick.
    enum class Writer { OwnThread, Frame };
    explicit ProgressKeeper(std::string path, Writer writer = Writer::OwnThread);
    ~ProgressKeeper();  // every run handed over is written first
    ProgressKeeper(const ProgressKeeper&) = delete;
    ProgressKeeper& operator=(const ProgressKeeper&) = delete;

    // At start-up: the file as it is; messages as KeptFile::Load gives them.
    void Load(Progress& progress, std::string& message);
    // A completed run, written from the keeper's thread: never waits for the disk.
    void Keep(uint64_t hash, const RunResult& run, bool afterHint);
    // On the frame's thread: what the writes learnt since the last call.
    // Levels other games kept are merged into progress; messages (a bad file
    // set aside, a failed write: that once) are appended to messages.
    void Poll(Progress& progress, std::vector<std::string>& messages);
    // Until every run handed over is written, or failed to be.
    void Wait();

    const std::string& Path() const { return file_.Path(); }

private:
    struct Run {
        uint64_t hash;
        RunResult run;
        bool afterHint;
    };
    void Work();
    void Write(const std::vector<Run>& runs);

    KeptFile file_;  // the keeper thread's, once it runs
    Progress mine_;  // the keeper thread's: this game's runs and all the file held
    bool failReported_ = false;
    Writer writer_;

    std::mutex mutex_;  // guards what follows
    std::condition_variable wake_, done_;
    std::vector<Run> queue_;
    bool busy_ = false;
    bool stop_ = false;
    std::optional<Progress> learnt_;  // the file held levels this game had not
    std::vector<std::string> messages_;
    std::thread thread_;
};
