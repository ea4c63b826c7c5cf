// Test support shared by every test folder: the built executable run with
// arguments in a given folder, its standard streams captured as bytes. On
// Windows the program is started directly (no shell), with UTF-16 arguments.
#ifndef JASSCRIBE_TESTS_SUPPORT_RUN_H_
#define JASSCRIBE_TESTS_SUPPORT_RUN_H_

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <string>
#include <vector>

#include "support/files.h"

/// What one run of the tool left.
struct sToolRun {
  std::string out;    // standard output
  std::string err;    // standard error
  int exitCode = -1;  // -1 when it did not exit normally
};

/// How the tool ends each line it prints on the console: Windows programs
/// end theirs in CR LF.
#ifdef _WIN32
constexpr char kConsoleLineEnd[] = "\r\n";
#else
constexpr char kConsoleLineEnd[] = "\n";
#endif

/// The text with each LF turned into the console's line end.
inline std::string fConsoleLines(const std::string& text) {
  std::string lines;
  for (const char c : text) lines += c == '\n' ? std::string(kConsoleLineEnd) : std::string(1, c);
  return lines;
}

#ifdef _WIN32

/// The argument quoted as the C runtime splits a command line: backslashes
/// are literal except before a double quote.
inline std::wstring fWindowsQuoted(const std::wstring& arg) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

/// A file for one standard stream of the child, inherited by it.
inline HANDLE fInheritedFile(const std::string& path, bool bWrite) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileW(fWide(path).c_str(), bWrite ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ,
                     &inherit, bWrite ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

/// Runs exe in folder with the arguments, the streams connected to the files
/// base.in, base.out and base.err; the exit code, -1 on failure or timeout.
inline int fRunProgram(const std::string& exe, const std::string& folder,
                       const std::vector<std::string>& args, const std::string& base) {
  std::wstring application = fWide(exe);
  for (wchar_t& c : application) c = c == L'/' ? L'\\' : c;
  std::wstring line = fWindowsQuoted(application);
  for (const std::string& arg : args) line += L" " + fWindowsQuoted(fWide(arg));
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = fInheritedFile(base + ".in", false);
  startup.hStdOutput = fInheritedFile(base + ".out", true);
  startup.hStdError = fInheritedFile(base + ".err", true);
  PROCESS_INFORMATION process = {};
  int exitCode = -1;
  if (CreateProcessW(application.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr,
                     fWide(folder).c_str(), &startup, &process)) {
    DWORD code = 0;
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, INFINITE);
    } else if (GetExitCodeProcess(process.hProcess, &code)) {
      exitCode = static_cast<int>(code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  for (HANDLE h : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  return exitCode;
}

#else

/// The text quoted for the shell, whatever bytes it holds.
inline std::string fShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

/// Runs exe in folder with the arguments, the streams connected to the files
/// base.in, base.out and base.err; the exit code, -1 on failure or timeout.
inline int fRunProgram(const std::string& exe, const std::string& folder,
                       const std::vector<std::string>& args, const std::string& base) {
  std::string command = "cd " + fShellQuoted(folder) + " && timeout 60 " + fShellQuoted(exe);
  for (const std::string& arg : args) command += " " + fShellQuoted(arg);
  command += " < " + fShellQuoted(base + ".in") + " > " + fShellQuoted(base + ".out") + " 2> " +
             fShellQuoted(base + ".err");
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

/// Runs the tool (JASSCRIBE_EXE) in folder with the arguments and input as
/// its whole standard input; the captured streams sit in folder's parent so
/// they never appear among the files a test looks at. A hang ends in a
/// timeout and shows as a wrong exit code.
inline sToolRun fRunTool(const std::string& folder, const std::vector<std::string>& args,
                         const std::string& input = std::string()) {
  sToolRun run;
  const std::string base = folder + ".run";
  fWriteFile(base + ".in", input);
  run.exitCode = fRunProgram(JASSCRIBE_EXE, folder, args, base);
  fReadFile(base + ".out", run.out);
  fReadFile(base + ".err", run.err);
  return run;
}

#endif  // JASSCRIBE_TESTS_SUPPORT_RUN_H_
