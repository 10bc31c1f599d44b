#include "progress/progress_keeper.h"

#include "files/file_lock.h"

namespace {

// The lock beside the file keeps other processes out; it is the process's,
// so the games of one process (tests run two) take turns here first.
std::mutex& ProcessTurn() {
    static std::mutex turn;
    return turn;
}

}  // namespace

ProgressKeeper::ProgressKeeper(std::string path, Writer writer) : file_(std::move(path)), writer_(writer) {}

ProgressKeeper::~ProgressKeeper() {
    {
        std::lock_guard<std::mutex> hold(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void ProgressKeeper::Load(Progress& progress, std::string& message) {
    if (file_.Path().empty()) return;
    file_.Load([&progress](std::string_view text, std::string& error) { return ParseProgress(text, progress, error); },
               message);
    mine_ = progress;
}

void ProgressKeeper::Keep(uint64_t hash, const RunResult& run, bool afterHint) {
    if (file_.Path().empty()) return;
    if (writer_ == Writer::Frame) {
        Write({{hash, run, afterHint}});
        return;
    }
    std::lock_guard<std::mutex> hold(mutex_);
    queue_.push_back({hash, run, afterHint});
    if (!thread_.joinable()) thread_ = std::thread([this] { Work(); });
    wake_.notify_all();
}

void ProgressKeeper::Poll(Progress& progress, std::vector<std::string>& messages) {
    std::lock_guard<std::mutex> hold(mutex_);
    if (learnt_) progress.Merge(*learnt_);
    learnt_.reset();
    for (std::string& m : messages_) messages.push_back(std::move(m));
    messages_.clear();
}

void ProgressKeeper::Wait() {
    std::unique_lock<std::mutex> hold(mutex_);
    done_.wait(hold, [this] { return queue_.empty() && !busy_; });
}

void ProgressKeeper::Work() {
    std::unique_lock<std::mutex> hold(mutex_);
    for (;;) {
        wake_.wait(hold, [this] { return stop_ || !queue_.empty(); });
        if (queue_.empty()) return;  // stopped, nothing left
        std::vector<Run> runs = std::move(queue_);
        queue_.clear();
        busy_ = true;
        hold.unlock();
        Write(runs);
        hold.lock();
        busy_ = false;
        done_.notify_all();
    }
}

void ProgressKeeper::Write(const std::vector<Run>& runs) {
    for (const Run& r : runs) mine_.Record(r.hash, r.run, r.afterHint);
    std::vector<std::string> said;
    std::optional<Progress> learnt;
    {
        std::lock_guard<std::mutex> turn(ProcessTurn());
        std::string message;
        FileLock lock;
        // No lock, no sharing: this game's progress is still written whole.
        if (file_.MakeFolder(message)) (void)lock.Take(file_.Path() + ".lock", message);
        message.clear();
        Progress there;
        file_.Load([&there](std::string_view text, std::string& error) { return ParseProgress(text, there, error); },
                   message);
        if (!message.empty()) said.push_back(message);
        if (mine_.Merge(there)) learnt = mine_;
        message.clear();
        const std::string text = FormatProgress(mine_);
        bool written = false;
        if (text.size() > kMaxKeptFileBytes)
            message = "'" + file_.Path() + "' would hold more than the " + std::to_string(kMaxKeptFileBytes >> 20) +
                      " MB a kept file may";
        else
            written = file_.Save(text, message);
        if (!written && !message.empty() && !failReported_) {
            failReported_ = true;  // once: every level would say the same
            said.push_back(message + "; progress is not kept");
        }
    }
    std::lock_guard<std::mutex> hold(mutex_);
    if (learnt) learnt_ = std::move(learnt);
    for (std::string& m : said) messages_.push_back(std::move(m));
}
