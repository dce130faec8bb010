#include "tests/sim_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace zor::testing {
namespace {

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

std::string SimProcess::program_path() { return ZOR_SIM_PATH; }

SimProcess::~SimProcess() { stop(); }

bool SimProcess::start(const std::filesystem::path& dir, const std::vector<std::string>& args) {
    dir_ = dir;
    int in[2];
    if (::pipe(in) != 0) return false;
    std::string out = (dir / "sim.out").string(), err = (dir / "sim.err").string();
    // A port an earlier run wrote must not be read as this one's.
    std::filesystem::remove(out);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(in[0], 0);
        ::close(in[0]);
        ::close(in[1]);
        int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(o, 1);
        ::dup2(e, 2);
        if (::chdir(dir.c_str()) != 0) ::_exit(127);
        std::vector<std::string> all{program_path()};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(in[0]);
    stdin_fd_ = in[1];
    // "listening on ADDRESS:PORT, ..." whatever address was bound.
    const std::string marker = "-- listening on ";
    for (int i = 0; i < 1000; ++i) {
        std::string text = output();
        size_t at = text.find(marker);
        size_t colon = at == std::string::npos ? at : text.find(':', at + marker.size());
        if (colon != std::string::npos && text.find('\n', at) != std::string::npos) {
            port_ = std::atoi(text.c_str() + colon + 1);
            return port_ > 0;
        }
        if (wait(10) != -1) return false;
    }
    return false;
}

void SimProcess::command(const std::string& line) {
    auto count = [&] {
        std::string out = output(), marker = "-- command: " + line + "\n";
        size_t n = 0;
        for (size_t at = out.find(marker); at != std::string::npos; at = out.find(marker, at + 1))
            ++n;
        return n;
    };
    size_t before = count();
    std::string text = line + "\n";
    if (stdin_fd_ < 0 || ::write(stdin_fd_, text.data(), text.size()) < 0) return;
    for (int i = 0; i < 1000 && count() == before && pid_ > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

int SimProcess::wait(int timeout_ms) {
    if (pid_ <= 0) return status_;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    do {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return status_;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
    return -1;
}

int SimProcess::stop() {
    if (stdin_fd_ >= 0) ::close(stdin_fd_);
    stdin_fd_ = -1;
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        if (wait(5000) == -1) {
            ::kill(pid_, SIGKILL);
            wait(5000);
        }
    }
    return status_;
}

std::string SimProcess::output() const { return read_file(dir_ / "sim.out"); }
std::string SimProcess::errors() const { return read_file(dir_ / "sim.err"); }

}  // namespace zor::testing
