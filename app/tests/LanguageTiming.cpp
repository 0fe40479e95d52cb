// Timing tool for the language side of tarvok.exe under Windows or Wine:
// how long choosing a language, building the credits list and checking the
// largest accepted file take through the real profile reader. Prints one
// line per case with the median of many runs; not a test.
//   language_timing.exe <folder of the shipped language files>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "LanguageFile.h"
#include "LanguageFileWin32.h"
#include "ScratchFolder.h"

namespace {

double MedianMicroseconds(int runs, const std::function<void()>& work) {
  LARGE_INTEGER frequency, start, stop;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> samples;
  for (int i = 0; i < runs; ++i) {
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&stop);
    samples.push_back(1e6 * static_cast<double>(stop.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart));
  }
  std::nth_element(samples.begin(), samples.begin() + runs / 2, samples.end());
  return samples[static_cast<std::size_t>(runs / 2)];
}

void Report(const char* what, int runs, const std::function<void()>& work) {
  std::printf("%-58s %10.1f us  (median of %d)\n", what, MedianMicroseconds(runs, work), runs);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: language_timing <language folder with trailing backslash>\n");
    return 2;
  }
  const std::string shipped = argv[1];
  const tarvok::Win32LanguageFileSystem files;
  std::size_t sink = 0;

  Report("read all texts of rus.ini", 200, [&] {
    sink += tarvok::ReadLanguageTexts(files, shipped + "rus.ini")[tarvok::TextId::MenuExit].size();
  });
  Report("credits list of the 3 shipped files", 200,
         [&] { sink += tarvok::BuildCreditsText(files, shipped).size(); });
  Report("Language submenu entries of the 3 shipped files", 200,
         [&] { sink += tarvok::ListLanguageMenu(files, shipped).size(); });

  tarvok::testing::ScratchFolder folder("timing");
  for (int i = 0; i < 50; ++i) {
    folder.Write("lang" + std::to_string(i) + ".ini",
                 "[Info]\r\nLanguage=Language " + std::to_string(i) +
                     "\r\nTranslator=Someone\r\nVersion=1.50\r\n[Menu]\r\n7=Exit\r\n");
  }
  Report("credits list of 50 files", 50,
         [&] { sink += tarvok::BuildCreditsText(files, folder.path()).size(); });

  folder.Write("largest.ini", "[Menu]\r\n7=Largest\r\n" +
                                  std::string(tarvok::kLanguageFileMaxBytes - 32, ';'));
  Report("plain-text check of a 256 KB file", 50,
         [&] { sink += files.IsReadableLanguageFile(folder.path() + "largest.ini"); });
  Report("read all texts of a 256 KB file", 20, [&] {
    sink += tarvok::ReadLanguageTexts(files, folder.path() + "largest.ini")[tarvok::TextId::MenuExit].size();
  });
  folder.Write("toolarge.ini", std::string(4u << 20, ';'));
  Report("refusing a 4 MB file", 50,
         [&] { sink += tarvok::ReadLanguageTexts(files, folder.path() + "toolarge.ini")[tarvok::TextId::MenuExit].size(); });
  return sink == 0 ? 1 : 0;
}
