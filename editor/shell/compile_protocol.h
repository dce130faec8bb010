#pragma once
// The editor's side of the compiler meeting, without windows: the files the
// editor and ZorCompile meet through in the program directory, the start of
// a compile, its progress lines and its end marker, and the watch that tells
// a compile that is still talking from one that is lost.

#include <QString>
#include <optional>

namespace zor::editor {

// The meeting files: bare names in the program directory.
inline constexpr char kPassFile[] = "pass_file";
inline constexpr char kProgressFile[] = "AAZZ";
inline constexpr char kEndMarker[] = "zor_conf.end";
inline constexpr char kCompileLog[] = "zor_conf.log";

// A path for a command line split the Windows way: quoted when it holds
// blanks, tabs or quotes.
QString quoteArgument(const QString& path);

// Creates or truncates "pass_file" in `dir` with one line, the handle in
// decimal. ActionError when it cannot be written.
void WritePassFile(const QString& dir, quint16 handle);
// Deletes the end marker in `dir` and starts `compiler` on `source`, followed
// by "zor_conf.log" and "zor_conf.end" (which the compiler does not use),
// without waiting. 0 when it started, else an error number.
int StartCompile(const QString& dir, const QString& compiler, const QString& source);
// The first line of "AAZZ" in `dir` ("" for an empty file); ActionError when
// there is no such file.
QString readProgressLine(const QString& dir);
// True once the compiler has written its end marker into `dir`.
bool compileEnded(const QString& dir);
// The end marker's first line as a number; ActionError when it is none.
int compileResult(const QString& dir);

// Counts the polls of a running compile that brought neither the end marker
// nor a progress line. A compiler that keeps reporting is never given up,
// however long it takes; one that falls silent is, after kSilentTicks polls.
class CompileWatch {
  public:
    static constexpr int kSilentTicks = 5;

    // A new compile, or a progress line of the running one: nothing counted.
    void restart() { silent_ = 0; }
    // One poll without the end marker. True when it is the kSilentTicks-th
    // silent one in a row: the compile counts as lost.
    bool silentTick() { return ++silent_ >= kSilentTicks; }
    int silentTicks() const { return silent_; }

  private:
    int silent_ = 0;
};

}  // namespace zor::editor
