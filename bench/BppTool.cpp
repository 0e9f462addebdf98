// tranchex-bpp DIR [--rotate]
// Lays out the classic two-dimensional bin packing instances found under DIR with the cutting
// engine (one stock panel, the bin; one part per item; no margin or kerf; criterion 1; smallest
// new panel), checks every layout, and prints per class and in total the panels used, the best
// known value, the area lower bound and the time. --rotate lets items turn (grain 2) and compares
// with the best known values of that variant.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/EngineRun.h"
#include "support/LayoutChecker.h"

namespace fs = std::filesystem;
using tranchex::test::TestJob;

namespace {

struct Size {
  long long length = 0;
  long long width = 0;
};

// Reads "ID,WIDTH,HEIGHT" rows after a header line.
std::vector<Size> ReadSizes(const fs::path& file) {
  std::ifstream in(file);
  std::vector<Size> sizes;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    if (line.empty() || line == "\r") continue;
    std::stringstream row(line);
    std::string id, w, h;
    if (!std::getline(row, id, ',') || !std::getline(row, w, ',') || !std::getline(row, h, ',')) {
      throw std::runtime_error("bad row in " + file.string() + ": " + line);
    }
    sizes.push_back({std::stoll(w), std::stoll(h)});
  }
  return sizes;
}

std::map<std::string, int> ReadBestKnown(const fs::path& file) {
  std::map<std::string, int> best;
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    const auto comma = line.rfind(',');
    if (comma == std::string::npos) continue;
    // Rows of class averages carry decimals: only whole values are an instance's best.
    const std::string value = line.substr(0, line.find('\r')).substr(comma + 1);
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos) continue;
    best[line.substr(0, comma)] = std::stoi(value);
  }
  return best;
}

struct Totals {
  int instances = 0;
  long long panels = 0;
  long long best = 0;
  long long lowerBound = 0;
  int faulty = 0;
  int refused = 0;
  double seconds = 0;
};

void Print(const std::string& name, const Totals& t) {
  std::printf("%-22s %5d %8lld %8lld %8lld %8.3f %6d %6d\n", name.c_str(), t.instances, t.panels,
              t.best, t.lowerBound, t.seconds, t.faulty, t.refused);
}

}  // namespace

int main(int argc, char** argv) {
  fs::path dir;
  bool rotate = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--rotate") {
      rotate = true;
    } else if (dir.empty()) {
      dir = arg;
    } else {
      std::cerr << "usage: tranchex-bpp DIR [--rotate]\n";
      return 2;
    }
  }
  if (dir.empty() || !fs::is_directory(dir)) {
    std::cerr << "usage: tranchex-bpp DIR [--rotate]\n";
    return 2;
  }
  try {
    const auto best =
        ReadBestKnown(dir / (rotate ? "data_bin_packing_rotation.csv" : "data_bin_packing_oriented.csv"));
    std::vector<fs::path> items;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      const std::string name = entry.path().filename().string();
      if (name.size() > 10 && name.ends_with("_items.csv")) items.push_back(entry.path());
    }
    std::sort(items.begin(), items.end());
    const int grain = rotate ? tranchex::GrainIndifferent : tranchex::GrainHorizontal;
    std::map<std::string, Totals> classes;
    Totals all;
    for (const fs::path& itemFile : items) {
      const std::string stem = itemFile.filename().string();
      const std::string instance = stem.substr(0, stem.size() - std::string("_items.csv").size());
      const fs::path binFile = itemFile.parent_path() / (instance + "_bins.csv");
      const std::string key = fs::relative(itemFile.parent_path(), dir).string() + "/" + instance;
      const auto bins = ReadSizes(binFile);
      const auto parts = ReadSizes(itemFile);
      if (bins.size() != 1) throw std::runtime_error("one bin size expected in " + binFile.string());
      TestJob job;
      job.criterion = 1;
      job.choice = 1;
      tranchex::test::AddStock(job, bins[0].length, bins[0].width, 1, grain);
      long double area = 0;
      for (const Size& s : parts) {
        tranchex::test::AddPart(job, s.length, s.width, 1, grain);
        area += static_cast<long double>(s.length) * s.width;
      }
      const auto start = std::chrono::steady_clock::now();
      const auto run = tranchex::test::RunJob(job);
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      const auto faults = tranchex::test::CheckLayout(job.parts, run.panels, job.margins, !run.failed);
      if (!faults.empty()) {
        std::cerr << key << ": layout faults\n" << tranchex::test::DescribeFaults(faults);
      }
      Totals one;
      one.instances = 1;
      one.panels = static_cast<long long>(run.panels.size());
      const auto b = best.find(key);
      one.best = b == best.end() ? 0 : b->second;
      one.lowerBound = static_cast<long long>(
          std::ceil(area / (static_cast<long double>(bins[0].length) * bins[0].width)));
      one.faulty = faults.empty() ? 0 : 1;
      one.refused = run.failed ? 1 : 0;
      one.seconds = seconds;
      const std::string cls = key.substr(0, key.find('.'));
      for (Totals* t : {&classes[cls], &all}) {
        t->instances += one.instances;
        t->panels += one.panels;
        t->best += one.best;
        t->lowerBound += one.lowerBound;
        t->faulty += one.faulty;
        t->refused += one.refused;
        t->seconds += one.seconds;
      }
    }
    std::printf("%-22s %5s %8s %8s %8s %8s %6s %6s\n", "class", "inst", "panels", "best",
                "area-lb", "seconds", "faulty", "refused");
    for (const auto& [name, t] : classes) Print(name, t);
    Print("total", all);
    return all.faulty == 0 && all.refused == 0 ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "tranchex-bpp: " << e.what() << "\n";
    return 2;
  }
}
