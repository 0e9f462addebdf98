#pragma once
// Runs one of the command-line tools through the shell and catches what it wrote.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tranchex::test {

struct ToolRun {
  int Exit = -1;
  std::string Out;
  std::string Err;
};

// One shell word, whatever the text holds (a quote inside is closed, escaped and reopened).
inline std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs `command` (already quoted) with its output and errors sent to two files of `folder`.
inline ToolRun RunTool(const std::string& command, const std::filesystem::path& folder) {
  const std::filesystem::path out = folder / "tool-stdout.txt";
  const std::filesystem::path err = folder / "tool-stderr.txt";
  const std::string line =
      command + " > " + ShellQuote(out.string()) + " 2> " + ShellQuote(err.string());
  const int status = std::system(line.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(out), ReadWholeFile(err)};
}

}  // namespace tranchex::test
