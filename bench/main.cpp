// jasscribe_bench: converts the corpus scripts, the scaling series and the
// pathological inputs in process, as the converter does after reading a file
// (normalising, translating, emitting, joining both files), and prints the
// CPU time, throughput and peak memory of each. Every input runs in its own
// child process, so its peak resident size is its own and a run that hangs
// is stopped by a timeout instead of stalling the whole benchmark. Linux.
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/inputs.h"
#include "driver/allocator.h"
#include "driver/convert.h"
#include "text/state.h"
#include "text/text.h"

namespace {

constexpr double CONST_MB = 1e6;              // figures are in 10^6 bytes
constexpr double CONST_MEMORY_SLACK = 20e6;   // peak goal: 3 x input + 20 MB
constexpr double CONST_SCALING_GOAL = 17.0;   // 16 x input in at most 17 x time
constexpr double CONST_RATE_GOAL = 50.0;      // MB/s for every corpus script
constexpr double CONST_RUN_BUDGET = 3.0;      // CPU seconds after which runs stop

struct sOptions {
  int nRuns = 5;                 // runs per input; the median is reported
  int nTimeout = 10;             // CPU seconds before a child is stopped
  std::string vCorpus = JASSCRIBE_SHARED_DIR "/corpus";
  std::string vOnly;             // only inputs whose name contains this
};

// One input: its name and how the child builds its bytes.
struct sCase {
  std::string vName;
  std::function<std::string()> fMake;
};

// What a child sends back through its pipe.
struct sReport {
  double dInputBytes = 0;
  double dMedianSeconds = 0;
  double dOutputBytes = 0;
  int nRuns = 0;
};

// What the parent learns of one child.
struct sOutcome {
  bool bFinished = false;  // the child reported; otherwise it was stopped
  sReport report;
  double dPeakBytes = 0;
};

double fCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Read in one block of the file's size, as the converter reads it, so that
// no growing copy adds to the peak.
std::string fReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = f ? static_cast<std::streamoff>(f.tellg()) : 0;
  std::string bytes(static_cast<size_t>(std::max<std::streamoff>(size, 0)), '\0');
  f.seekg(0);
  f.read(&bytes[0], static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

// One conversion as the converter runs it on the script it read, with the
// same releases; the size of both files.
double fConvertOnce(std::string script) {
  auto s = std::make_unique<sState>();
  fConvertScript(*s, std::move(script));
  fReleaseSections(*s);
  size_t bytes = 0;  // the files are written from the line lists themselves
  for (const sTextList* lines : {&s->vCppLines, &s->vHeaderLines}) {
    for (int32_t i = 0; i < lines->nCount(); ++i) bytes += lines->fItem(i).size();
  }
  return static_cast<double>(bytes);
}

// The upper median; times must not be empty.
double fMedian(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The CPU clock may advance only in whole scheduler ticks (4 ms on the
// development machine), which is as long as converting a small script. A run
// therefore converts as many fresh copies of the input as take at least this
// much CPU time, and counts their mean.
constexpr double CONST_MIN_RUN = 0.2;
constexpr int CONST_MAX_BATCH = 1000;

// Each conversion gets a fresh copy of the input, which it gives up as the
// converter does. The copies are made before the clock starts. bFirstOnly:
// one conversion alone, the first in its process, for the peak size and the
// cold time; no batch of copies may add to either.
sReport fMeasure(const sCase& c, int nRuns, bool bFirstOnly) {
  sReport r;
  std::string script = c.fMake();
  r.dInputBytes = static_cast<double>(script.size());
  std::vector<double> times;
  double total = 0;
  int nBatch = 1;
  while (static_cast<int>(times.size()) < nRuns && (times.empty() || total < CONST_RUN_BUDGET)) {
    std::vector<std::string> copies;
    if (bFirstOnly) {
      copies.push_back(std::move(script));  // held once, as the converter holds it
    } else {
      copies.assign(static_cast<size_t>(nBatch), script);
    }
    const double start = fCpuSeconds();
    for (std::string& copy : copies) r.dOutputBytes = fConvertOnce(std::move(copy));
    const double elapsed = fCpuSeconds() - start;
    total += elapsed;
    if (!bFirstOnly && elapsed < CONST_MIN_RUN && nBatch < CONST_MAX_BATCH) {
      // Too short to time: the next run converts enough copies.
      const double each = std::max(elapsed / nBatch, 1e-5);
      nBatch = std::min(CONST_MAX_BATCH, std::max(2 * nBatch,
                                                  static_cast<int>(1.2 * CONST_MIN_RUN / each)));
      continue;
    }
    times.push_back(elapsed / nBatch);
  }
  r.dMedianSeconds = fMedian(times);
  r.nRuns = static_cast<int>(times.size());
  return r;
}

// The child: builds its input, measures, reports, and never returns.
[[noreturn]] void fRunChild(const sCase& c, const sOptions& o, int nRuns, bool bFirstOnly,
                            int fd) {
  // A CPU-time limit, not a wall-clock one, so a busy machine stops nothing.
  const rlim_t seconds = static_cast<rlim_t>(o.nTimeout);
  const rlimit limit{seconds, seconds + 1};
  setrlimit(RLIMIT_CPU, &limit);
  const sReport r = fMeasure(c, bFirstOnly ? 1 : nRuns, bFirstOnly);
  const ssize_t n = write(fd, &r, sizeof r);
  _exit(n == static_cast<ssize_t>(sizeof r) ? 0 : 1);
}

bool fRun(const sCase& c, const sOptions& o, int nRuns, bool bFirstOnly, sOutcome& out) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    close(fds[0]);
    fRunChild(c, o, nRuns, bFirstOnly, fds[1]);
  }
  close(fds[1]);
  // The report is far smaller than a pipe's buffer: read it once the child
  // ended, then its peak size is known too.
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  out.bFinished = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                  read(fds[0], &out.report, sizeof out.report) ==
                      static_cast<ssize_t>(sizeof out.report);
  close(fds[0]);
  out.dPeakBytes = static_cast<double>(usage.ru_maxrss) * 1024.0;  // Linux: kilobytes
  return true;
}

double fMemoryGoal(double inputBytes) { return 3 * inputBytes + CONST_MEMORY_SLACK; }

void fPrintHeading(const char* title) {
  std::printf("\n%s\n%-32s %10s %10s %9s %9s %9s  %s\n", title, "input", "size KB", "CPU ms",
              "MB/s", "peak MB", "goal MB", "notes");
}

// One line per input; returns its outcome for the summaries.
sOutcome fRunAndPrint(const sCase& c, const sOptions& o, double rateGoal) {
  sOutcome out;
  // The peak comes from a child that converts once: after several runs the
  // heap is fragmented and holds more than one conversion ever needs.
  sOutcome once;
  if (!fRun(c, o, o.nRuns, false, out) || (out.bFinished && !fRun(c, o, 1, true, once))) {
    std::printf("%-32s could not start a child process\n", c.vName.c_str());
    return out;
  }
  if (out.bFinished && once.bFinished) out.dPeakBytes = once.dPeakBytes;
  if (!out.bFinished) {
    std::printf("%-32s %10s stopped after %d s of CPU (peak %.1f MB)\n", c.vName.c_str(), "-",
                o.nTimeout, out.dPeakBytes / CONST_MB);
    return out;
  }
  const sReport& r = out.report;
  const double rate = r.dInputBytes / CONST_MB / std::max(r.dMedianSeconds, 1e-9);
  const double goal = fMemoryGoal(r.dInputBytes);
  std::string notes = r.dOutputBytes > 0 ? "converted" : "no output";
  if (rateGoal > 0 && rate < rateGoal) {
    notes += ", below " + std::to_string(static_cast<int>(rateGoal)) + " MB/s";
  }
  if (out.dPeakBytes > goal) notes += ", over the memory goal";
  notes += ", " + std::to_string(r.nRuns) + " run" + (r.nRuns == 1 ? "" : "s");
  std::printf("%-32s %10.1f %10.2f %9.1f %9.1f %9.1f  %s\n", c.vName.c_str(),
              r.dInputBytes / 1e3, r.dMedianSeconds * 1e3, rate, out.dPeakBytes / CONST_MB,
              goal / CONST_MB, notes.c_str());
  return out;
}

bool fSelected(const sOptions& o, const std::string& name) {
  return o.vOnly.empty() || name.find(o.vOnly) != std::string::npos;
}

std::vector<std::string> fCorpusScripts(const std::string& folder) {
  std::vector<std::string> paths;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".j") paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

void fRunCorpus(const sOptions& o) {
  fPrintHeading("corpus scripts (goal: at least 50 MB/s, peak at most 3 x size + 20 MB)");
  for (const std::string& path : fCorpusScripts(o.vCorpus)) {
    const std::string name = std::filesystem::path(path).filename().string();
    if (!fSelected(o, name)) continue;
    fRunAndPrint({name, [path] { return fReadFile(path); }}, o, CONST_RATE_GOAL);
  }
}

// The median CPU time of a first conversion, each in a fresh process.
// Repeated runs in one process find the heap grown and its pages mapped,
// which flatters the small input against the large one, converted once.
double fColdMedian(const sCase& c, const sOptions& o, int nChildren) {
  std::vector<double> times;
  for (int i = 0; i < nChildren; ++i) {
    sOutcome once;
    if (fRun(c, o, 1, true, once) && once.bFinished) times.push_back(once.report.dMedianSeconds);
  }
  return times.empty() ? 0 : fMedian(times);
}

void fRunScaling(const sOptions& o) {
  const std::string path = o.vCorpus + "/dota-allstars.j";
  if (!fSelected(o, "scaling") || !std::filesystem::exists(path)) return;
  fPrintHeading("scaling: dota-allstars.j with its function section 1 and 16 times, renamed");
  const sCase oneCase{"function section 1x",
                      [path] { return fScaledScript(fReadFile(path), 1); }};
  const sCase sixteenCase{"function section 16x",
                          [path] { return fScaledScript(fReadFile(path), 16); }};
  const sOutcome one = fRunAndPrint(oneCase, o, 0);
  const sOutcome sixteen = fRunAndPrint(sixteenCase, o, 0);
  if (!one.bFinished || !sixteen.bFinished) return;
  const int nSixteen = 3;
  const double coldOne = fColdMedian(oneCase, o, o.nRuns);
  const double coldSixteen = fColdMedian(sixteenCase, o, nSixteen);
  if (coldOne <= 0 || coldSixteen <= 0) return;
  std::printf("16x / 1x: %.2f times the input in %.2f times the CPU time, first conversions in\n"
              "fresh processes, medians of %d and %d (goal: at most %.0f)\n",
              sixteen.report.dInputBytes / one.report.dInputBytes, coldSixteen / coldOne,
              o.nRuns, nSixteen, CONST_SCALING_GOAL);
}

void fRunPathological(const sOptions& o) {
  const sCase cases[] = {
      {"20,000 nested parentheses", [] { return fNestedParentheses(20000); }},
      {"200 KB argument without comma", [] { return fLongArgument(200000); }},
      {"5,000 nested ifs", [] { return fNestedIfs(5000); }},
  };
  fPrintHeading("pathological inputs (goal: each well under a second)");
  for (const sCase& c : cases) {
    if (fSelected(o, c.vName)) fRunAndPrint(c, o, 0);
  }
}

std::string fCpuModel() {
  std::ifstream f("/proc/cpuinfo");
  for (std::string line; std::getline(f, line);) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown";
}

bool fParse(int argc, char** argv, sOptions& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if ((a == "--runs" || a == "--timeout" || a == "--only") && i + 1 < argc) {
      const std::string v = argv[++i];
      if (a == "--only") o.vOnly = v;
      if (a == "--runs") o.nRuns = std::max(1, std::atoi(v.c_str()));
      if (a == "--timeout") o.nTimeout = std::max(1, std::atoi(v.c_str()));
    } else if (!a.empty() && a[0] != '-') {
      o.vCorpus = a;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  fTuneAllocator();  // as the converter does
  sOptions o;
  if (!fParse(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: jasscribe_bench [--runs N] [--timeout SECONDS] [--only TEXT] "
                 "[CORPUS_FOLDER]\n");
    return 2;
  }
  std::printf("jasscribe benchmark on %s; median CPU time of up to %d runs (fewer past %.0f s),"
              " a run converting copies for at least %.1f s; MB = 10^6 bytes\n",
              fCpuModel().c_str(), o.nRuns, CONST_RUN_BUDGET, CONST_MIN_RUN);
  fRunCorpus(o);
  fRunScaling(o);
  fRunPathological(o);
  return 0;
}
