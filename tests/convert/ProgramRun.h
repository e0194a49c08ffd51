#pragma once
// Runs the real ringwright-convert with given arguments and standard input,
// and collects its exit status and both output streams. Standard output is a
// pipe, as in a script, or a terminal.

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pty.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
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

enum class Out { Pipe, Terminal };

// Standard input and error pass through files in scratch, which must exist.
inline Outcome Run(const std::vector<std::string>& args, const std::string& sInput,
                   const std::filesystem::path& scratch, Out iOut = Out::Pipe) {
    const std::string sIn = (scratch / "stdin").string();
    const std::string sErr = (scratch / "stderr").string();
    WriteAll(sIn, sInput);

    std::vector<std::string> words = {RINGWRIGHT_CONVERT};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& sWord : words)
        argv.push_back(sWord.data());
    argv.push_back(nullptr);

    // [0] is read here, [1] is the program's standard output.
    int ends[2] = {-1, -1};
    if (iOut == Out::Pipe ? ::pipe(ends) != 0
                          : ::openpty(&ends[0], &ends[1], nullptr, nullptr, nullptr) != 0)
        return {};
    ::fcntl(ends[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(ends[1], F_SETFD, FD_CLOEXEC);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, sIn.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, sErr.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Outcome outcome;
    pid_t iChild = 0;
    const bool bStarted =
        posix_spawn(&iChild, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    // Until the program closes its end (a terminal then says EIO).
    char buffer[65536];
    ssize_t iRead = 0;
    while (bStarted && (iRead = ::read(ends[0], buffer, sizeof buffer)) > 0)
        outcome.sOut.append(buffer, static_cast<size_t>(iRead));
    ::close(ends[0]);
    int iWait = 0;
    if (bStarted && waitpid(iChild, &iWait, 0) == iChild && WIFEXITED(iWait))
        outcome.iStatus = WEXITSTATUS(iWait);
    outcome.sErr = ReadAll(sErr);
    return outcome;
}

} // namespace ProgramRun
