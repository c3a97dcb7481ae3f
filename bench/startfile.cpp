// Opens an index data file of one entry with a long page list as the program opens the file named
// by its first argument: the windows made (not shown), the file handed to the main window's
// command-line step, which reads it and builds the text index extended by it into the result memo.
// Beside it, in the same process and on the same file, stand the engine's own steps (reading the
// file, the run) and the floor: a bare system edit control of the result memo's kind taking the
// index text. The ratio of the windows' time to floor and engine together is what the windows add.
//
//   bench_startfile [--items N[,N...]] [--budget S] [--repeat R]
//
// The default sizes are 20,000 and 40,000 items (about 145 and 306 KB) and 1,160,000 items
// (10 MB). The floor of a size is waited for at most S seconds (default 300); a size whose floor
// takes longer gets an estimate from the growth of the floor between the two sizes before it, its
// run through the windows (which holds the same edit control's work) is not made, and the
// benchmark ends there.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/BenchWindows.h"
#include "engine/u_TextIndex.h"
#include "engine/u_WideFunc.h"
#include "forms/u_prog.h"
#include "forms/u_textix.h"
#include "ucode/UCodeRegistration.h"

namespace {

struct Args {
  std::vector<long> items{20000, 40000, 1160000};
  double budget = 300;
  int repeat = 1;
};

Args ParseArgs(int argc, char** argv) {
  Args args;
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--items") {
      args.items.clear();
      std::stringstream list(argv[++i]);
      for (std::string each; std::getline(list, each, ',');) args.items.push_back(std::max(1L, std::atol(each.c_str())));
    } else if (a == "--budget") {
      args.budget = std::max(1.0, std::atof(argv[++i]));
    } else if (a == "--repeat") {
      args.repeat = std::max(1, std::atoi(argv[++i]));
    }
  }
  return args;
}

// One entry of a text index whose pages are 1 to `items`.
std::wstring IndexData(long items) {
  std::wstring data = L"Wort:";
  for (long page = 1; page <= items; ++page) {
    if (page > 1) data += L'|';
    data += std::to_wstring(page) + L">-";
  }
  return data + L"\r\n";
}

// What the main window does with the file: read it, and build the text index extended by it
// with the options its controls hold.
struct TEngineRun {
  double load = 0, run = 0;
  std::wstring output;
  double Total() const { return load + run; }
};

TEngineRun RunEngine(const std::wstring& path) {
  TEngineRun engine;
  engine.load = Timed([&] { LoadTextFileW(path); });
  TTextIndexOptions options = ReadTextIndexOptions();
  options.ExtendIndex = true;
  options.IndexPath = path;
  TIndexStore store;
  engine.run = Timed([&] {
    engine.output = RunTextIndex(options, store, [](TTextIndexStep, const std::wstring&, int) {}).Output;
  });
  return engine;
}

// A bare edit control of the result memo's kind taking the index text, in a thread of its own,
// so that a floor beyond the budget can be left behind. Negative when it was not done in time.
struct TFloorJob {
  HWND like;
  const std::wstring* text;
  double seconds = -1;
};

DWORD WINAPI TakeInBareEdit(void* parameter) {
  auto* job = static_cast<TFloorJob*>(parameter);
  TBareEdit edit(job->like);
  job->seconds = edit.Take(*job->text);
  return 0;
}

double Floor(const std::wstring& text, double budget) {
  static TFloorJob job{};  // outlives a thread left behind
  job = TFloorJob{prog->output->GetHandle(), &text};
  HANDLE thread = CreateThread(nullptr, 0, TakeInBareEdit, &job, 0, nullptr);
  // The bare edit asks the memo for its style and font: those messages are answered meanwhile.
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(budget * 1000);
  bool done = false;
  for (;;) {
    const DWORD left = deadline - GetTickCount();
    if (static_cast<LONG>(left) <= 0) break;
    const DWORD woken = MsgWaitForMultipleObjects(1, &thread, FALSE, left, QS_SENDMESSAGE);
    if (woken == WAIT_OBJECT_0) {
      done = true;
      break;
    }
    if (woken != WAIT_OBJECT_0 + 1) break;
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  CloseHandle(thread);
  return done ? job.seconds : -1;
}

// The file handed to the main window as the program's first argument, timed to the index in the
// result memo.
double RunThroughWindows(const std::wstring& path, const std::wstring& engineOutput) {
  double total = 0, memo = 0;
  {
    TMessageClock clock(prog->output);
    total = Timed([&] { prog->TakeCommandLine({path}); });
    memo = clock.Total();
  }
  const bool same = prog->output->GetText() == engineOutput;
  std::printf("    through the windows: %.3f s (result memo %.3f s), result memo %s\n", total, memo,
              same ? "identical" : "DIFFERENT");
  prog->output->Clear();
  prog->kt_integrieren->SetChecked(false);
  return total;
}

// The floor of `items` from the growth of the floor between the two sizes measured before.
void PrintEstimate(const std::vector<std::pair<long, double>>& floors, long items) {
  if (floors.size() < 2) return;
  const auto [n1, t1] = floors[floors.size() - 2];
  const auto [n2, t2] = floors.back();
  const double power = std::log(t2 / t1) / std::log(static_cast<double>(n2) / n1);
  std::printf("    floor grows with the items to the power %.2f between %ld and %ld items: about %.0f s for %ld\n", power,
              n1, n2, t2 * std::pow(static_cast<double>(items) / n2, power), items);
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // each figure as soon as it is measured
  RegisterUnicodeLayer();
  const Args args = ParseArgs(argc, argv);
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"kx_bench_startfile.idx";
  MakeTextWizardWindows();
  std::vector<std::pair<long, double>> floors;
  for (long items : args.items) {
    const std::wstring data = IndexData(items);
    SaveTextFileW(data, path, 65001, false);  // ASCII: one byte a character
    std::printf("one entry of %ld page items, %.1f KB\n", items, data.size() / 1024.0);
    TSpread engineTimes, floorTimes, windowsTimes;
    for (int round = 0; round < args.repeat; ++round) {
      const TEngineRun engine = RunEngine(path);
      std::printf("    engine: read %.3f, run %.3f = %.3f s, index %.1f K characters\n", engine.load, engine.run,
                  engine.Total(), engine.output.size() / 1000.0);
      engineTimes.Add(engine.Total());
      const double floor = Floor(engine.output, args.budget);
      if (floor < 0) {
        std::printf("    floor, bare edit control: more than %.0f s (not waited for further)\n", args.budget);
        PrintEstimate(floors, items);
        DeleteFileW(path.c_str());
        // The edit control left behind is still at work in its thread: the process ends without
        // waiting for it.
        TerminateProcess(GetCurrentProcess(), 0);
      }
      std::printf("    floor, bare edit control: index %.3f s\n", floor);
      floorTimes.Add(floor);
      windowsTimes.Add(RunThroughWindows(path, engine.output));
    }
    floors.emplace_back(items, floorTimes.Least);
    std::printf("    ");
    PrintWindowsShare(windowsTimes, floorTimes, engineTimes, args.repeat);
  }
  DeleteFileW(path.c_str());
  return 0;
}
