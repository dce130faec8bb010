#pragma once
// Runs the built ZorCompile in a fresh temporary directory and reads back
// what it wrote, for end-to-end tests.

#include <filesystem>
#include <string>

namespace zor::testing {

class CompileRun {
  public:
    CompileRun();
    ~CompileRun();
    CompileRun(const CompileRun&) = delete;
    CompileRun& operator=(const CompileRun&) = delete;

    const std::filesystem::path& dir() const { return dir_; }
    // Writes a file in the run's directory, bytes unchanged.
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;

    // Runs ZorCompile with the given argument text (unquoted words) in the
    // directory; returns its exit status. A launcher (shell words) goes
    // before the program, e.g. "timeout 20".
    int compile(const std::string& arguments, const std::string& launcher = "");
    const std::string& output() const { return output_; }

    static std::string compiler_path();

  private:
    std::filesystem::path dir_;
    std::string output_;
};

// "\n" as the compiler writes it to files.
std::string crlf(const std::string& text);

// The banner and start lines that open every run's standard output.
std::string start_lines(const std::string& source);
// The closing lines of the main loop.
std::string summary_lines(int errors, int warnings);
// The result lines of a clean compile of "eq.txt".
std::string result_lines();

}  // namespace zor::testing
