#pragma once
// Runs the real ringwright-convert with given arguments and standard input,
// and collects its exit status and both output streams.

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace ProgramRun {

struct Outcome {
    int iStatus = -1;
    std::string sOut;
    std::string sErr;
};

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline void WriteAll(const std::filesystem::path& path, const std::string& sBytes) {
    std::ofstream(path, std::ios::binary) << sBytes;
}

// The streams pass through files in sScratch, which must exist.
inline Outcome Run(const std::vector<std::string>& args, const std::string& sInput,
                   const std::filesystem::path& scratch) {
    const std::string sIn = (scratch / "stdin").string();
    const std::string sOut = (scratch / "stdout").string();
    const std::string sErr = (scratch / "stderr").string();
    WriteAll(sIn, sInput);

    std::vector<std::string> words = {RINGWRIGHT_CONVERT};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& sWord : words)
        argv.push_back(sWord.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, sIn.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, sOut.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, sErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Outcome outcome;
    pid_t iChild = 0;
    int iWait = 0;
    if (posix_spawn(&iChild, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
        waitpid(iChild, &iWait, 0) == iChild && WIFEXITED(iWait))
        outcome.iStatus = WEXITSTATUS(iWait);
    posix_spawn_file_actions_destroy(&actions);
    outcome.sOut = ReadAll(sOut);
    outcome.sErr = ReadAll(sErr);
    return outcome;
}

} // namespace ProgramRun
