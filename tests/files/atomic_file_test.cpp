// The writer every saved file goes through: whatever fails, and wherever,
// the file that was there stays as it was and no scrap is left beside it.
#include "files/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zandrove_atomic_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        target_ = (dir_ / "level.pak").string();
        std::ofstream(target_) << "the good file";
        chmod(target_.c_str(), 0640);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        return names;
    }
    // The target holds what it held, and nothing else lies beside it.
    void ExpectUntouched(const std::string& context) const {
        EXPECT_EQ(Read(target_), "the good file") << context;
        EXPECT_EQ(Names(), std::vector<std::string>{"level.pak"}) << context;
    }

    fs::path dir_;
    std::string target_;
};

TEST_F(AtomicFileTest, ReplacesTheTargetKeepingItsPermissions) {
    std::string error;
    const std::string content(100000, 'x');
    ASSERT_TRUE(WriteFileAtomically(target_, content, error)) << error;
    EXPECT_EQ(Read(target_), content);
    EXPECT_EQ(Names(), std::vector<std::string>{"level.pak"});
    EXPECT_EQ(fs::status(target_).permissions() & fs::perms::all, fs::perms(0640));

    // Through a link the file is replaced, the link stays.
    fs::create_symlink("level.pak", dir_ / "link.pak");
    ASSERT_TRUE(WriteFileAtomically((dir_ / "link.pak").string(), std::string("via link"), error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.pak"));
    EXPECT_EQ(Read(target_), "via link");

    // A new file gets the usual permissions, less the umask.
    const mode_t mask = umask(022);
    ASSERT_TRUE(WriteFileAtomically((dir_ / "new.txt").string(), std::vector<unsigned char>{'a'}, error));
    umask(mask);
    EXPECT_EQ(fs::status(dir_ / "new.txt").permissions() & fs::perms::all, fs::perms(0644));
}

TEST_F(AtomicFileTest, AFailureAtAnyStepLeavesTheTargetAndSaysWhy) {
    const struct {
        AtomicFileStep step;
        int errnum;
        const char* reason;
    } cases[] = {
        {AtomicFileStep::Create, EACCES, "permission denied"},
        {AtomicFileStep::Write, ENOSPC, "no space left on device"},
        {AtomicFileStep::Sync, EIO, "input/output error"},
        {AtomicFileStep::Close, EDQUOT, "disk quota exceeded"},
        {AtomicFileStep::Rename, EXDEV, "invalid cross-device link"},
    };
    for (const auto& c : cases) {
        FailNextAtomicFileStep(c.step, c.errnum);
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(target_, std::string("new content"), error)) << c.reason;
        EXPECT_EQ(error, "cannot write '" + target_ + "': " + c.reason);
        ExpectUntouched(c.reason);
    }
    // A file abandoned half-way is as good as a failed one.
    {
        AtomicFile file(target_);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("abc", 3));
    }
    ExpectUntouched("not committed");
}

TEST_F(AtomicFileTest, WhatCannotBeReplacedIsRefusedUntouched) {
    std::string error;
    fs::create_directory(dir_ / "folder");
    EXPECT_FALSE(WriteFileAtomically((dir_ / "folder").string(), std::string("x"), error));
    EXPECT_NE(error.find("': is a directory"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(dir_ / "folder"));

    // A FIFO is never opened, so nothing waits for a reader.
    ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
    EXPECT_FALSE(WriteFileAtomically((dir_ / "fifo").string(), std::string("x"), error));
    EXPECT_NE(error.find("': is not a regular file"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_fifo(dir_ / "fifo"));

    EXPECT_FALSE(WriteFileAtomically((dir_ / "no" / "such.pak").string(), std::string("x"), error));
    EXPECT_NE(error.find("': no such file or directory"), std::string::npos) << error;
    fs::remove(dir_ / "folder");
    fs::remove(dir_ / "fifo");
    ExpectUntouched("refusals");
}

// A full disk, as a file-size limit: the write fails after 0, 1, a block's
// worth or all but one of the bytes. The default action of SIGXFSZ would end
// the process; the writer reports the error instead.
TEST_F(AtomicFileTest, AFileSizeLimitAtAnyByteLeavesTheTarget) {
    const std::string content(10000, 'n');
    for (const long limit : {0L, 1L, 4095L, 4096L, 9999L}) {
        const pid_t pid = fork();
        if (pid == 0) {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit r{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
            setrlimit(RLIMIT_FSIZE, &r);
            std::string error;
            const bool ok = WriteFileAtomically(target_, content, error);
            _exit(ok ? 1 : error == "cannot write '" + target_ + "': file too large" ? 0 : 2);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "limit " << limit << ", status " << status;
        ExpectUntouched("limit " + std::to_string(limit));
    }
}

}  // namespace
