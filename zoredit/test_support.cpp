#include "zoredit/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "zoredit/zoredit.h"

namespace zor::edit::test {

std::string scratch_dir(const std::string& tag) {
    namespace fs = std::filesystem;
    static int counter = 0;
    fs::path dir =
        fs::temp_directory_path() /
        ("zoredit_" + tag + "_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string compiler_path() {
    const char* p = std::getenv("ZORCOMPILE");
    return p && *p ? p : ZOR_COMPILE_PATH;
}

CompileResult compile(const std::string& dir, const std::string& source, const std::string& name) {
    CompileResult r;
    std::string compiler = compiler_path();
    if (compiler.empty() || !std::filesystem::exists(compiler)) return r;
    write_file(dir + "/" + name + ".txt", source);
    std::filesystem::remove(dir + "/" + name + ".fil");
    std::string command =
        "cd '" + dir + "' && '" + compiler + "' " + name + ".txt > compile.out 2>&1";
    int status = std::system(command.c_str());
    r.ran = true;
    r.errors = WIFEXITED(status) ? static_cast<signed char>(WEXITSTATUS(status)) : -1;
    r.output = read_file(dir + "/compile.out");
    if (std::filesystem::exists(dir + "/" + name + ".fil"))
        r.fil = read_file(dir + "/" + name + ".fil");
    return r;
}

std::string last_error() {
    char buffer[1024] = {};
    ZorGetLastError(buffer, sizeof buffer);
    return buffer;
}

int load_fil(const std::string& dir, const std::string& fil, std::string* error) {
    write_file(dir + "/load.cnf", "//----- load.cnf\r\n\r\nLOG_SIZE         = 10\r\n");
    write_file(dir + "/load.fil", fil);
    char buffer[512] = {};
    int r = GemEditSetupEquipment(0, (dir + "/load.cnf").c_str(), (dir + "/load.fil").c_str(),
                                  buffer, sizeof buffer);
    if (error) *error = buffer;
    return r;
}

void release(TV_INFO* r) { ZorFreeTV_INFO(r); }
void release(TCE_INFO* r) { ZorFreeTCE_INFO(r); }
void release(TRP_INFO* r) { ZorFreeTRP_INFO(r); }
void release(TAL_INFO* r) { ZorFreeTAL_INFO(r); }
void release(TPP_INFO* r) { ZorFreeTPP_INFO(r); }
void release(TFPP_INFO* r) { ZorFreeTFPP_INFO(r); }
void release(TRCP_INFO* r) { ZorFreeTRCP_INFO(r); }
void release(TTRACE_INFO* r) { ZorFreeTTRACE_INFO(r); }

}  // namespace zor::edit::test
