// A scratch folder holding the example ship's input file, removed with the
// object, for the benchmarks of whole companion runs.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace gemi::bench {

class ExampleFolder {
 public:
  explicit ExampleFolder(const char* prefix) {
    std::string tmpl = (std::filesystem::temp_directory_path() / (std::string(prefix) + "_XXXXXX")).string();
    if (!mkdtemp(tmpl.data())) return;
    dir_ = tmpl;
    std::filesystem::copy_file(std::filesystem::path(GEMI_SOURCE_DIR) / "examples/KR-22-03-2017.TSK", input());
  }
  ~ExampleFolder() {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  ExampleFolder(const ExampleFolder&) = delete;
  ExampleFolder& operator=(const ExampleFolder&) = delete;

  bool ok() const { return !dir_.empty(); }
  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path input() const { return dir_ / "KR-22-03-2017.TSK"; }

 private:
  std::filesystem::path dir_;
};

}  // namespace gemi::bench
