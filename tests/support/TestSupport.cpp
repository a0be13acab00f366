#include "TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qntest {

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "qntest-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    m_path = made ? std::string(made) : std::string();
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!m_path.empty()) fs::remove_all(m_path, ec);
}

std::string TempDir::file(const std::string& relative) const {
    return m_path + "/" + relative;
}

std::string TempDir::write(const std::string& relative, const std::string& contents) const {
    std::string full = file(relative);
    fs::create_directories(fs::path(full).parent_path());
    std::ofstream out(full, std::ios::binary);
    out << contents;
    return full;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

RunResult runCommand(const std::string& command, const std::string& workDir) {
    TempDir outDir;
    std::string outFile = outDir.file("out"), errFile = outDir.file("err");
    std::string full;
    if (!workDir.empty()) full = "cd " + shellQuote(workDir) + " && ";
    full += command + " >" + shellQuote(outFile) + " 2>" + shellQuote(errFile) + " </dev/null";
    int status = std::system(full.c_str());
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(outFile);
    result.err = readFile(errFile);
    return result;
}

RunResult runPlayer(const std::string& args, const std::string& workDir) {
    return runCommand(
        "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " + shellQuote(QN_PLAYER_BINARY) + " " + args, workDir);
}

RunResult playScripted(const TempDir& work, const std::string& project, int frames,
                       const std::string& input) {
    const std::string script = work.write("input.txt", input);
    return runPlayer("--headless --frames " + std::to_string(frames) + " --store " +
                         shellQuote(work.file("store.xml")) + " --log " + shellQuote(work.file("log.txt")) +
                         " --input " + shellQuote(script) + " " + shellQuote(project),
                     work.path());
}

} // namespace qntest
