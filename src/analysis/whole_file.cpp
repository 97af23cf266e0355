#include "analysis/whole_file.h"

#include <fstream>
#include <string>
#include <system_error>

namespace gemi::analysis {

bool writeWholeFile(const std::filesystem::path& target, std::string_view text) {
  const std::filesystem::path temp = target.parent_path() / ("." + target.filename().string() + ".yaziliyor");
  std::error_code ec;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (out.fail()) {
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::filesystem::rename(temp, target, ec);
  if (!ec) return true;
  std::filesystem::remove(temp, ec);
  return false;
}

}  // namespace gemi::analysis
