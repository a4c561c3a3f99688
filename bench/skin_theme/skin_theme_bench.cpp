// Prints how long the backdrop's skin theme takes to become ready at start: the stored
// skin is inflated and its items read, then the skinned windows decode the pictures they
// ask for on first use.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "framework/class_info.h"
#include "framework/resources.h"
#include "skin/theme/tsui_built_in_file_theme.h"

using namespace somnara;
using namespace somnara::skin;

namespace {

// Median of several timed runs, in milliseconds per run.
double MedianMs(int rounds, const std::function<void()>& work) {
  std::vector<double> times;
  work();
  for (int r = 0; r < rounds; ++r) {
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    times.push_back(spent.count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  resources::RegisterProgramResources();
  const fw::ResourceLookup stored = fw::FindResource("skins/stored.skn");
  if (!stored.found) {
    std::fprintf(stderr, "the stored skin is not built in\n");
    return 1;
  }
  fw::Value data;
  data.kind = fw::Value::Kind::kBinary;
  data.bytes.assign(stored.bytes.begin(), stored.bytes.end());

  bool ready = true;
  const double load = MedianMs(50, [&] {
    TsuiBuiltInFileTheme theme(nullptr);
    fw::SetProperty(theme, "SkinData", data);
    ready = ready && theme.Ready();
  });

  TsuiBuiltInFileTheme theme(nullptr);
  fw::SetProperty(theme, "SkinData", data);
  int pictures = 0;
  const double decode = MedianMs(50, [&] {
    // A fresh load forgets the decoded pictures, so that every round decodes them all.
    fw::SetProperty(theme, "SkinData", data);
    pictures = 0;
    for (int i = 0; i < kThemeBitmapCount; ++i)
      if (theme.GetThemeBitmap(ThemeBitmap(i))) ++pictures;
  });

  std::printf("stored skin: %zu bytes, ready: %s\n", stored.bytes.size(), ready ? "yes" : "NO");
  std::printf("load (inflate and read the items): %.3f ms\n", load);
  std::printf("load and decode all %d pictures: %.3f ms\n", pictures, decode);
  return ready ? 0 : 1;
}
