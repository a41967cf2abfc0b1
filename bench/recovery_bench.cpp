// What a recovery copy costs while the user types: the event loop is busy for as long as the copy
// takes to write, so that time is the stall. Then the copy is restored as after a crash, and the
// text's length before and after shows whether it came back whole.
//   recovery_bench.exe FILE [RUNS]
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/startup.h"
#include "document/recovery_copy.h"
#include "document/titles.h"

namespace {

double millisSince(LARGE_INTEGER start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER clockNow() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

long textLength() {
  GETTEXTLENGTHEX query{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<long>(SendMessageW(app::state.editorHandle, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0));
}

std::string onlyCopy(const std::string& copies) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((copies + "*.wdh").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  FindClose(search);
  return found.cFileName;
}

void noExit(unsigned) {}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: recovery_bench FILE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  // Process ids come round again, and a folder of an earlier run would hold its copy.
  const std::string folder = std::string(temp) + "velloro-recovery-bench-" + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(GetTickCount());
  CreateDirectoryA(folder.c_str(), nullptr);
  SetEnvironmentVariableA("LOCALAPPDATA", folder.c_str());
  const std::string copies = folder + "\\Velloro\\Wiederherstellung\\";

  app::setProcessExit(noExit);
  LARGE_INTEGER start = clockNow();
  app::startUp(GetModuleHandleA(nullptr), ("velloro.exe \"" + std::string(argv[1]) + "\"").c_str());
  app::runPendingPasses();
  std::printf("loaded %ld characters in %.0f ms\n", textLength(), millisSince(start));

  std::vector<double> samples;
  for (int run = 0; run < runs; ++run) {
    SendMessageW(app::state.editorHandle, WM_CHAR, L'x', 0);
    document::recoveryAfterEvent(true);
    start = clockNow();
    document::requestRecoveryCopy();
    document::recoveryAfterEvent(false);
    samples.push_back(millisSince(start));
  }
  std::sort(samples.begin(), samples.end());
  WIN32_FILE_ATTRIBUTE_DATA copy{};
  GetFileAttributesExA((copies + onlyCopy(copies)).c_str(), GetFileExInfoStandard, &copy);
  std::printf("copy written: median %.1f ms, min %.1f ms, max %.1f ms over %d runs; copy %lu bytes\n",
              samples[samples.size() / 2], samples.front(), samples.back(), runs,
              static_cast<unsigned long>(copy.nFileSizeLow));

  // As after a crash: the copy under the name of a program that has ended, answered with "Ja".
  const long before = textLength();
  MoveFileA((copies + onlyCopy(copies)).c_str(), (copies + "8-0000000000000001.wdh").c_str());
  app::exitSequence();
  std::atomic<bool> answered{false};
  std::thread answerer([&] {
    const std::string title = document::dialogTitle("Wiederherstellen");
    for (int i = 0; i < 6000 && !answered; ++i, Sleep(50)) {
      if (HWND box = FindWindowA(nullptr, title.c_str())) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
        answered = true;
      }
    }
  });
  start = clockNow();
  app::startUp(GetModuleHandleA(nullptr), "velloro.exe");
  const double restoring = millisSince(start);
  answerer.join();
  const long after = textLength();
  std::printf("restored %ld of %ld characters in %.0f ms (answered: %s)\n", after, before, restoring,
              answered ? "yes" : "no");
  document::clearRecoveryCopy();
  app::exitSequence();
  return after == before ? 0 : 1;
}
